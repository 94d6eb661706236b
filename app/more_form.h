#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "More" page.
class Ui_MoreForm
{
public:
    QWidget* tab_2 = nullptr;
    QGridLayout* gridLayout_26 = nullptr;
    QGridLayout* web_gridLayout = nullptr;

    void setupMoreForm();
    void retranslateMoreForm();
};
