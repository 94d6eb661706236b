#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "Hex" page.
class Ui_HextoolsForm
{
public:
    QWidget* hextools = nullptr;
    QGridLayout* gridLayout_47 = nullptr;
    QGridLayout* gridLayout_hextools = nullptr;

    void setupHextoolsForm();
    void retranslateHextoolsForm();
};
