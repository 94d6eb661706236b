#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

// Widgets of the "Spectra" page.
class Ui_SpectraForm
{
public:
    QWidget* spectra = nullptr;
    QGridLayout* gridLayout_18 = nullptr;
    QGridLayout* gridLayout_spectra = nullptr;
    QPlainTextEdit* Spectra_textEdit = nullptr;
    QGroupBox* Spectra_groupBox_serial = nullptr;
    QVBoxLayout* verticalLayout_spectra = nullptr;
    QCheckBox* SpectracheckBox = nullptr;
    QComboBox* SpectraYPEcomboBox = nullptr;
    QLabel* label_76 = nullptr;
    QComboBox* SpectraportNameComboBox = nullptr;
    QLabel* label_77 = nullptr;
    QComboBox* SpectrabaudRateComboBox = nullptr;
    QPushButton* SpectraopencompushButton = nullptr;
    QComboBox* SpectraportChartComboBox = nullptr;
    QPushButton* Spectra_pushButton_Clear_Log = nullptr;

    void setupSpectraForm();
    void retranslateSpectraForm();
};
