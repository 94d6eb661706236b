#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "Convert" page.
class Ui_ConvertForm
{
public:
    QWidget* Convert = nullptr;
    QGridLayout* gridLayout_40 = nullptr;
    QGridLayout* gridLayout_Convert = nullptr;

    void setupConvertForm();
    void retranslateConvertForm();
};
