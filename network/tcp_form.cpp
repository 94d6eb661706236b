#include "network/tcp_form.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

#include "app/formkit.h"

void Ui_TcpForm::setupTcpForm()
{
    tcp = FormKit::makePage("tcp", gridLayout_10, "gridLayout_10");
    TCPsendMsgtextEdit = new QPlainTextEdit(tcp);
    TCPsendMsgtextEdit->setObjectName("TCPsendMsgtextEdit");
    TCPsendmsgBtn = new QPushButton(tcp);
    TCPsendmsgBtn->setObjectName("TCPsendmsgBtn");
    TCPdelayspinBox = new QSpinBox(tcp);
    TCPdelayspinBox->setObjectName("TCPdelayspinBox");
    TCPdelayspinBox->setRange(10, 5000);
    TCPdelayspinBox->setValue(200);
    gridLayout_10->addWidget(TCPsendMsgtextEdit, 3, 0);
    gridLayout_10->addWidget(TCPsendmsgBtn, 4, 0);
    gridLayout_10->addWidget(TCPdelayspinBox, 4, 1);
}

void Ui_TcpForm::retranslateTcpForm()
{
    TCPsendmsgBtn->setText(FormKit::tr("Send"));
}
