#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// Widgets of the "GPS Debug" page.
class Ui_GpsForm
{
public:
    QWidget* gps = nullptr;
    QGridLayout* gps_pageGrid = nullptr;
    QGroupBox* gps_groupBox_serial = nullptr;
    QGridLayout* gps_serialGrid = nullptr;
    QComboBox* GPSportNameComboBox = nullptr;
    QComboBox* GPSbaudRateComboBox = nullptr;
    QPushButton* GPSopencompushButton = nullptr;
    FormKit::PortControls gpsFormPort;
    QRadioButton* GPSportMode_01 = nullptr;
    QRadioButton* GPSportMode_02 = nullptr;
    QComboBox* GPSTCPServerIPcomboBox = nullptr;
    QGridLayout* gps_gridLayout = nullptr;

    void setupGpsForm();
    void retranslateGpsForm();
};
