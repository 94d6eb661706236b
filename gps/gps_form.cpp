#include "gps/gps_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_GpsForm::setupGpsForm()
{
    gps = FormKit::makePage("gps", gridLayout_11, "gridLayout_11");
    gps_groupBox_serial = new QGroupBox(gps);
    gps_groupBox_serial->setObjectName("gps_groupBox_serial");
    gps_serialGrid = new QGridLayout(gps_groupBox_serial);
    gps_serialGrid->setObjectName("gps_serialGrid");
    gridLayout_11->addWidget(gps_groupBox_serial, 0, 2, 2, 1);
    gpsFormPort = FormKit::makePortControls(gps_groupBox_serial, gps_serialGrid, 0, QStringLiteral("GPS"));
    GPSportNameComboBox = gpsFormPort.portList;
    GPSbaudRateComboBox = gpsFormPort.baudList;
    GPSopencompushButton = gpsFormPort.openButton;
    GPSTCPServerIPcomboBox = new QComboBox(gps);
    GPSTCPServerIPcomboBox->setObjectName("GPSTCPServerIPcomboBox");
    gridLayout_11->addWidget(GPSTCPServerIPcomboBox, 2, 2);
    gps_gridLayout = new QGridLayout();
    gps_gridLayout->setObjectName("gps_gridLayout");
    gridLayout_11->addLayout(gps_gridLayout, 0, 0, 3, 1);
}

void Ui_GpsForm::retranslateGpsForm()
{
    gps_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(gpsFormPort);
}
