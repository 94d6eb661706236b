#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

// Widgets of the "i2cdump" page.
class Ui_I2cdumpForm
{
public:
    QWidget* i2cdump = nullptr;
    QGridLayout* gridLayout_19 = nullptr;
    QGridLayout* gridLayout_i2cdump = nullptr;
    QGroupBox* i2cdump_groupBox_serial = nullptr;
    QGridLayout* i2cdump_serialGrid = nullptr;
    QLabel* label_78 = nullptr;
    QComboBox* i2cdumpportNameComboBox = nullptr;
    QLabel* label_79 = nullptr;
    QComboBox* i2cdumpbaudRateComboBox = nullptr;
    QPushButton* i2cdumpopencompushButton = nullptr;
    QPushButton* i2cdump_stop_pushButton = nullptr;
    QPushButton* i2cdumpsancfpushButton = nullptr;
    QPushButton* i2cdumpreadpushButton = nullptr;
    QPushButton* i2cdumpwritepushButton = nullptr;
    QPlainTextEdit* i2cdump_StrTextBrowser = nullptr;
    QPushButton* i2cdump_Clear_pushButton = nullptr;

    void setupI2cdumpForm();
    void retranslateI2cdumpForm();
};
