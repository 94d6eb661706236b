#include "gps/gps_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_GpsForm::setupGpsForm()
{
    gps = FormKit::makePage("gps", gps_pageGrid, "gps_pageGrid");
    gps_groupBox_serial = new QGroupBox(gps);
    gps_groupBox_serial->setObjectName("gps_groupBox_serial");
    gps_serialGrid = new QGridLayout(gps_groupBox_serial);
    gps_serialGrid->setObjectName("gps_serialGrid");
    gps_pageGrid->addWidget(gps_groupBox_serial, 0, 2, 2, 1);
    gpsFormPort = FormKit::makePortControls(gps_groupBox_serial, gps_serialGrid, 0, QStringLiteral("GPS"));
    GPSportNameComboBox = gpsFormPort.portList;
    GPSbaudRateComboBox = gpsFormPort.baudList;
    GPSopencompushButton = gpsFormPort.openButton;
    GPSportMode_01 = new QRadioButton(gps_groupBox_serial);
    GPSportMode_01->setObjectName("GPSportMode_01");
    gps_serialGrid->addWidget(GPSportMode_01, gps_serialGrid->rowCount(), 0);
    GPSportMode_02 = new QRadioButton(gps_groupBox_serial);
    GPSportMode_02->setObjectName("GPSportMode_02");
    gps_serialGrid->addWidget(GPSportMode_02, gps_serialGrid->rowCount() - 1, 1);
    GPSTCPServerIPcomboBox = new QComboBox(gps);
    GPSTCPServerIPcomboBox->setObjectName("GPSTCPServerIPcomboBox");
    gps_pageGrid->addWidget(GPSTCPServerIPcomboBox, 2, 2);
    gps_gridLayout = new QGridLayout();
    gps_gridLayout->setObjectName("gps_gridLayout");
    gps_pageGrid->addLayout(gps_gridLayout, 0, 0, 3, 1);
}

void Ui_GpsForm::retranslateGpsForm()
{
    gps_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(gpsFormPort);
    GPSportMode_01->setText(FormKit::tr("COM"));
    GPSportMode_02->setText(FormKit::tr("TCP"));
}
