#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

// Widgets of the "TOF" page.
class Ui_TofForm
{
public:
    QWidget* TOF = nullptr;
    QGridLayout* gridLayout_32 = nullptr;
    QGridLayout* gridLayout_tof = nullptr;
    QGroupBox* groupBox_14 = nullptr;
    QVBoxLayout* verticalLayout_tof = nullptr;
    QLabel* label_80 = nullptr;
    QComboBox* TOFportNameComboBox = nullptr;
    QLabel* label_81 = nullptr;
    QComboBox* TOFbaudRateComboBox = nullptr;
    QPushButton* TOFopencompushButton = nullptr;
    QComboBox* TOFTYPEcomboBox = nullptr;
    QComboBox* TOFRangeComboBox = nullptr;
    QComboBox* TOFArrangementcomboBox = nullptr;
    QComboBox* TOFChartComboBox = nullptr;
    QComboBox* TOFFilterComboBox = nullptr;
    QPlainTextEdit* TOF_StrTextBrowser = nullptr;
    QPushButton* TOF_Clear_pushButton = nullptr;

    void setupTofForm();
    void retranslateTofForm();
};
