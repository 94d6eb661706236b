#include "sensors/quenlix_tof.h"

#include <QGridLayout>
#include <QStackedWidget>

#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"

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
        form->setStyleSheet(QStringLiteral("background-color: #FFFFFF;"));
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
}

quenlix_tof::~quenlix_tof()
{
    delete ui;
}

void quenlix_tof::change(int index)
{
    stackedWidget->setCurrentIndex(index);
}
