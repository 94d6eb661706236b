#pragma once

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "UDP Debug" page.
class Ui_UdpForm
{
public:
    QWidget* udp = nullptr;
    QGridLayout* gridLayout_9 = nullptr;
    QPlainTextEdit* UDPsendMsgtextEdit = nullptr;
    QPushButton* UDPsendmsgBtn = nullptr;
    QSpinBox* UDPdelayspinBox = nullptr;

    void setupUdpForm();
    void retranslateUdpForm();
};
