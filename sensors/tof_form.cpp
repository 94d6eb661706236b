#include "sensors/tof_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_TofForm::setupTofForm()
{
    TOF = FormKit::makePage("TOF", gridLayout_20, "gridLayout_20");
    tof_groupBox_serial = new QGroupBox(TOF);
    tof_groupBox_serial->setObjectName("tof_groupBox_serial");
    tof_serialGrid = new QGridLayout(tof_groupBox_serial);
    tof_serialGrid->setObjectName("tof_serialGrid");
    gridLayout_20->addWidget(tof_groupBox_serial, 0, 2, 2, 1);
    tofFormPort = FormKit::makePortControls(tof_groupBox_serial, tof_serialGrid, 0, QStringLiteral("TOF"));
    TOFportNameComboBox = tofFormPort.portList;
    TOFbaudRateComboBox = tofFormPort.baudList;
    TOFopencompushButton = tofFormPort.openButton;
    gridLayout_tof = new QGridLayout();
    gridLayout_tof->setObjectName("gridLayout_tof");
    gridLayout_20->addLayout(gridLayout_tof, 0, 0, 2, 1);
}

void Ui_TofForm::retranslateTofForm()
{
    tof_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(tofFormPort);
}
