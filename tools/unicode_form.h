#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QWidget>

// Widgets of the "Unicode" page.
class Ui_UnicodeForm
{
public:
    QWidget* Unicode = nullptr;
    QGridLayout* gridLayout_23 = nullptr;
    QTextBrowser* UnicodetextBrowser = nullptr;
    QTextEdit* UnicodetextEdit = nullptr;
    QPushButton* StoUpushButton = nullptr;
    QPushButton* UtoSpushButton = nullptr;
    QCheckBox* UnicodecheckBox = nullptr;

    void setupUnicodeForm();
    void retranslateUnicodeForm();
};
