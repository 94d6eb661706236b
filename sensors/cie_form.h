#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

// Widgets of the "CIE" page.
class Ui_CieForm
{
public:
    QWidget* CIE = nullptr;
    QGridLayout* gridLayout_48 = nullptr;
    QGridLayout* gridLayout_cie = nullptr;
    QGroupBox* groupBox_21 = nullptr;
    QVBoxLayout* verticalLayout_cie = nullptr;
    QLabel* label_92 = nullptr;
    QComboBox* CIEportNameComboBox = nullptr;
    QLabel* label_93 = nullptr;
    QComboBox* CIEbaudRateComboBox = nullptr;
    QPushButton* CIEopencompushButton = nullptr;
    QPlainTextEdit* CIE_StrTextBrowser = nullptr;
    QPushButton* CIE_Clear_pushButton = nullptr;

    void setupCieForm();
    void retranslateCieForm();
};
