#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "CIE" page.
class Ui_CieForm
{
public:
    QWidget* CIE = nullptr;
    QGridLayout* gridLayout_22 = nullptr;
    QGroupBox* cie_groupBox_serial = nullptr;
    QGridLayout* cie_serialGrid = nullptr;
    QComboBox* CIEportNameComboBox = nullptr;
    QComboBox* CIEbaudRateComboBox = nullptr;
    QPushButton* CIEopencompushButton = nullptr;
    FormKit::PortControls cieFormPort;
    QGridLayout* gridLayout_cie = nullptr;

    void setupCieForm();
    void retranslateCieForm();
};
