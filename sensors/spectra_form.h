#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "Spectra" page.
class Ui_SpectraForm
{
public:
    QWidget* spectra = nullptr;
    QGridLayout* gridLayout_18 = nullptr;
    QGroupBox* spectra_groupBox_serial = nullptr;
    QGridLayout* spectra_serialGrid = nullptr;
    QComboBox* SpectraportNameComboBox = nullptr;
    QComboBox* SpectrabaudRateComboBox = nullptr;
    QPushButton* SpectraopencompushButton = nullptr;
    FormKit::PortControls spectraFormPort;
    QGridLayout* gridLayout_spectra = nullptr;

    void setupSpectraForm();
    void retranslateSpectraForm();
};
