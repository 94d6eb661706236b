#pragma once

#include "app/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// Widgets of the "GPS Debug" page.
class Ui_GpsForm
{
public:
    QWidget* gps = nullptr;
    QGridLayout* gps_pageGrid = nullptr;

    // "Serial Setting": source, serial port, position server and the tab's tools.
    QGroupBox* groupBox_10 = nullptr;
    QGridLayout* gps_serialGrid = nullptr;
    QRadioButton* GPSportMode_01 = nullptr;
    QRadioButton* GPSportMode_02 = nullptr;
    FormKit::PortControls gpsFormPort;
    QLabel* label_23 = nullptr;
    QComboBox* GPSportNameComboBox = nullptr;
    QLabel* label_24 = nullptr;
    QComboBox* GPSbaudRateComboBox = nullptr;
    QPushButton* GPSopencompushButton = nullptr;
    QLabel* label_41 = nullptr;
    QComboBox* GPSTCPServerIPcomboBox = nullptr;
    QLabel* label_51 = nullptr;
    QLineEdit* GPSTCPServerPortlineEdit = nullptr;
    QPushButton* GPSTCPopencompushButton = nullptr;
    QPushButton* GPScleandatapushButton = nullptr;
    QCheckBox* GPSSavecheckBox = nullptr;
    QCheckBox* GPS_on_off_checkBox = nullptr;
    QPushButton* GPSpushButtonsearchdriving = nullptr;
    QPushButton* GPStrochoidpushButton = nullptr;
    QPushButton* GPScalculate = nullptr;
    QPushButton* GPSsignal = nullptr;

    // "GPS information": a caption and a value label per quantity.
    QGroupBox* groupBox_11 = nullptr;
    QGridLayout* gps_infoGrid = nullptr;
    QLabel* gps_captionUtc = nullptr;
    QLabel* GPS_UTC = nullptr;
    QLabel* gps_captionLatitude = nullptr;
    QLabel* Weidu = nullptr;
    QLabel* Weidufangxiang = nullptr;
    QLabel* gps_captionLongitude = nullptr;
    QLabel* Jingdu = nullptr;
    QLabel* Jingdufangxiang = nullptr;
    QLabel* gps_captionState = nullptr;
    QLabel* Dingweizhuangtai = nullptr;
    QLabel* label_58 = nullptr;
    QLabel* Shiyongweixing = nullptr;
    QLabel* gps_captionAltitude = nullptr;
    QLabel* Haibagaodu = nullptr;
    QLabel* gps_captionPdop = nullptr;
    QLabel* Weizhiyinzi = nullptr;
    QLabel* gps_captionHdop = nullptr;
    QLabel* Shuipingyinzi = nullptr;
    QLabel* gps_captionVdop = nullptr;
    QLabel* Cuizhiyinzi = nullptr;
    QLabel* gps_captionSpeed = nullptr;
    QLabel* Dimiansudu = nullptr;
    QLabel* label_37 = nullptr;
    QLabel* GPSKejianweixing = nullptr;
    QLabel* label_38 = nullptr;
    QLabel* BDKejianweixing = nullptr;

    // "Serial Message": the receive view.
    QGroupBox* groupBox_12 = nullptr;
    QGridLayout* gps_messageGrid = nullptr;
    QPlainTextEdit* GPStextBrowser = nullptr;

    // The map view goes here.
    QGridLayout* gps_gridLayout = nullptr;

    void setupGpsForm();
    void retranslateGpsForm();
};
