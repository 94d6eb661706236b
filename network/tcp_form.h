#pragma once

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "TCP Debug" page.
class Ui_TcpForm
{
public:
    QWidget* tcp = nullptr;
    QGridLayout* gridLayout_10 = nullptr;
    QPlainTextEdit* TCPsendMsgtextEdit = nullptr;
    QPushButton* TCPsendmsgBtn = nullptr;
    QSpinBox* TCPdelayspinBox = nullptr;

    void setupTcpForm();
    void retranslateTcpForm();
};
