#pragma once

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>

// The "GPS Signal" dialog: a row for the charts and a close button.
class Ui_GPSsignal
{
public:
    QGridLayout* gridLayout_2 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QSpacerItem* horizontalSpacer = nullptr;
    QPushButton* GPSsignalCancel = nullptr;
    QSpacerItem* horizontalSpacer_2 = nullptr;

    void setupUi(QDialog* GPSsignal);
    void retranslateUi(QDialog* GPSsignal);
};
