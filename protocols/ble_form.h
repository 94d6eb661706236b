#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "Ble" page.
class Ui_BleForm
{
public:
    QWidget* ble = nullptr;
    QGridLayout* gridLayout_36 = nullptr;
    QGridLayout* gridLayout_35 = nullptr;

    void setupBleForm();
    void retranslateBleForm();
};
