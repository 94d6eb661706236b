#pragma once

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

// Form of the About dialog: the logo on the left, name, version, notice and
// addresses on the right, Close below (fixed positions, no layout).
class Ui_AboutDialog
{
public:
    QGroupBox* groupBox = nullptr;
    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QTextBrowser* textBrowser = nullptr;
    QPushButton* closeBtn = nullptr;

    void setupUi(QDialog* AboutDialog);
    void retranslateUi(QDialog* AboutDialog);
};
