#include "sensors/imu_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_ImuForm::setupImuForm()
{
    tab_3 = FormKit::makePage("tab_3", gridLayout_23, "gridLayout_23");
    imu_groupBox_serial = new QGroupBox(tab_3);
    imu_groupBox_serial->setObjectName("imu_groupBox_serial");
    imu_serialGrid = new QGridLayout(imu_groupBox_serial);
    imu_serialGrid->setObjectName("imu_serialGrid");
    gridLayout_23->addWidget(imu_groupBox_serial, 0, 2, 2, 1);
    imuFormPort = FormKit::makePortControls(imu_groupBox_serial, imu_serialGrid, 0, QStringLiteral("imu"));
    imuportNameComboBox = imuFormPort.portList;
    imubaudRateComboBox = imuFormPort.baudList;
    imuopencompushButton = imuFormPort.openButton;
    gridLayout_IMU = new QGridLayout();
    gridLayout_IMU->setObjectName("gridLayout_IMU");
    gridLayout_23->addLayout(gridLayout_IMU, 0, 0, 2, 1);
}

void Ui_ImuForm::retranslateImuForm()
{
    imu_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(imuFormPort);
}
