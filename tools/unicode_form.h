#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "Unicode" page.
class Ui_UnicodeForm
{
public:
    QWidget* Unicode = nullptr;
    QGridLayout* gridLayout_13 = nullptr;

    void setupUnicodeForm();
    void retranslateUnicodeForm();
};
