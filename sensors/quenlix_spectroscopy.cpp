#include "sensors/quenlix_spectroscopy.h"

#include <QChartView>
#include <QGridLayout>
#include <QStackedWidget>

#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"

class Ui_quenlix_spectroscopy
{
public:
    QGridLayout* gridLayout_4 = nullptr;
    QGridLayout* gridLayout = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_spectroscopy"));
        form->resize(625, 478);
        form->setStyleSheet(QStringLiteral("background-color: #FFFFFF;"));
        gridLayout_4 = new QGridLayout(form);
        gridLayout_4->setObjectName(QStringLiteral("gridLayout_4"));
        gridLayout = new QGridLayout();
        gridLayout->setObjectName(QStringLiteral("gridLayout"));
        gridLayout_4->addLayout(gridLayout, 0, 0);
        form->setWindowTitle(QStringLiteral("Form"));
    }
};

quenlix_spectroscopy::quenlix_spectroscopy(QWidget* parent)
    : QWidget(parent), ui(new Ui_quenlix_spectroscopy),
      m_as7341(std::make_unique<quenlix_spectroscopy_Squarediagram>()),
      m_as7343(std::make_unique<quenlix_spectroscopy_Squarediagram>()),
      m_as7265x(std::make_unique<quenlix_spectroscopy_Squarediagram>())
{
    ui->setupUi(this);
    m_stack = new QStackedWidget(this);
    m_as7341->setupPlot_AS7341();
    m_as7343->setupPlot_AS7343();
    m_as7265x->setupPlot_AS7265X();
    m_curve = new quenlix_spectroscopy_spline();
    m_stack->addWidget(m_as7341->chartView());
    m_stack->addWidget(m_as7343->chartView());
    m_stack->addWidget(m_as7265x->chartView());
    m_stack->addWidget(m_curve);
    m_stack->setCurrentIndex(0);
    ui->gridLayout->addWidget(m_stack);
}

quenlix_spectroscopy::~quenlix_spectroscopy()
{
    delete ui;
}

void quenlix_spectroscopy::change(int page)
{
    m_stack->setCurrentIndex(page);
}

quenlix_spectroscopy_Squarediagram* quenlix_spectroscopy::chart(int type) const
{
    switch (type) {
    case 0:
        return m_as7341.get();
    case 1:
        return m_as7343.get();
    case 2:
        return m_as7265x.get();
    default:
        return nullptr;
    }
}

void quenlix_spectroscopy::update_data_barset(unsigned char channel, double value, unsigned char type,
                                              unsigned char chart)
{
    if (chart == 0) {
        if (type == 0 && channel < 9)
            m_as7341->update_data_barset(channel, value);
        else if (type == 1 && channel < 12)
            m_as7343->update_data_barset(channel, value);
        else if (type == 2 && channel < 18)
            m_as7265x->update_data_barset(channel, value);
    } else if (chart == 1) {
        m_curve->update_data_barset(static_cast<unsigned char>(channel + 1), value);
    }
}
