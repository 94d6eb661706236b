#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "Crypty" page.
class Ui_CryptyForm
{
public:
    QWidget* Crypty = nullptr;
    QGridLayout* gridLayout_15 = nullptr;

    void setupCryptyForm();
    void retranslateCryptyForm();
};
