#include "sensors/quenlix_tof.h"

#include <QGridLayout>
#include <QStackedWidget>

#include <algorithm>

#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "widgets/screenrate.h"

class Ui_quenlix_tof
{
public:
    QGridLayout* gridLayout_2 = nullptr;
    QGridLayout* gridLayout = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_tof"));
        form->resize(625, 478);
        // The form alone: a sheet that reached the value labels would make every one of them an
        // opaque, style-sheet-painted widget.
        form->setStyleSheet(QStringLiteral("#quenlix_tof { background-color: #FFFFFF; }"));
        gridLayout_2 = new QGridLayout(form);
        gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
        gridLayout = new QGridLayout();
        gridLayout->setObjectName(QStringLiteral("gridLayout"));
        gridLayout_2->addLayout(gridLayout, 0, 0);
        form->setWindowTitle(QStringLiteral("Form"));
    }
};

quenlix_tof::quenlix_tof(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_tof)
{
    ui->setupUi(this);
    stackedWidget = new QStackedWidget(this);
    surface = new quenlix_tof_surface(this);
    data = new quenlix_tof_data(this);
    heatmap = new quenlix_tof_heatmap(this);
    data->changeArrangement(0);
    stackedWidget->addWidget(data);
    stackedWidget->addWidget(surface);
    stackedWidget->addWidget(heatmap);
    ui->gridLayout->addWidget(stackedWidget);
    m_screen = new ScreenRate([this] { drawFrame(); }, this);
}

quenlix_tof::~quenlix_tof()
{
    delete ui;
}

void quenlix_tof::change(int index)
{
    stackedWidget->setCurrentIndex(index);
}

void quenlix_tof::showFrame(const QList<int>& values)
{
    // The heat map takes or ignores a frame by its size, which a frame may change: it sees
    // every frame. Taking one costs no drawing.
    heatmap->updateData(values);
    // Of the frames not drawn yet, a shorter newer one overwrites the start of a longer older
    // one: the rest keeps the older frame's values, as if each had been drawn.
    if (values.size() >= m_frame.size())
        m_frame = values;
    else
        std::copy(values.cbegin(), values.cend(), m_frame.begin());
    m_screen->post();
}

void quenlix_tof::flush()
{
    m_screen->flush();
}

int quenlix_tof::framesShown() const
{
    return m_screen->shown();
}

void quenlix_tof::drawFrame()
{
    data->showValues(m_frame);
    surface->updateMultipleDataPoints(surface->points, QList<double>(m_frame.cbegin(), m_frame.cend()));
    m_frame.clear();
}
