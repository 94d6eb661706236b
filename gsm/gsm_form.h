#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "GSM Debug" page.
class Ui_GsmForm
{
public:
    QWidget* gsm = nullptr;
    QGridLayout* gsm_pageGrid = nullptr;
    QGroupBox* gsm_groupBox_serial = nullptr;
    QGridLayout* gsm_serialGrid = nullptr;
    QComboBox* GSMportNameComboBox = nullptr;
    QComboBox* GSMbaudRateComboBox = nullptr;
    QPushButton* GSMopencompushButton = nullptr;
    FormKit::PortControls gsmFormPort;

    void setupGsmForm();
    void retranslateGsmForm();
};
