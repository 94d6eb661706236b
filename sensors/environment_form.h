#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

// Widgets of the "Environment" page: six gauge hosts on the left, port and receive log on the right.
class Ui_EnvironmentForm
{
public:
    QWidget* environment = nullptr;
    QGridLayout* gridLayout_28 = nullptr;
    QGridLayout* env_gridLayout = nullptr;
    QGridLayout* gridLayout_27 = nullptr;
    QGridLayout* ultraviolet_gridLayout = nullptr;
    QGridLayout* humidity_gridLayout = nullptr;
    QGridLayout* temperature_gridLayout = nullptr;
    QGridLayout* barometer_gridLayout = nullptr;
    QGridLayout* CO2_gridLayout = nullptr;
    QGridLayout* TVOC_gridLayout = nullptr;
    QLabel* label_49 = nullptr; // "Ultraviolet:"
    QLabel* label_50 = nullptr; // "Humidity:"
    QLabel* label_48 = nullptr; // "Temperature:"
    QLabel* label_59 = nullptr; // "CO2:"
    QLabel* label_57 = nullptr; // "Barometer:"
    QLabel* label_56 = nullptr; // "TVOC:"
    QGroupBox* env_groupBox_receive = nullptr;
    QGridLayout* env_receiveGrid = nullptr;
    QPushButton* EVN_Clear_pushButton = nullptr;
    QPlainTextEdit* ENV_StrTextBrowser = nullptr;
    QGroupBox* env_groupBox_serial = nullptr;
    QGridLayout* env_serialGrid = nullptr;
    QLabel* label_43 = nullptr;
    QComboBox* ENVportNameComboBox = nullptr;
    QLabel* label_47 = nullptr;
    QComboBox* ENVbaudRateComboBox = nullptr;
    QPushButton* ENVopencompushButton = nullptr;
    FormKit::PortControls environmentFormPort;

    void setupEnvironmentForm();
    void retranslateEnvironmentForm();
};
