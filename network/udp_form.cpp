#include "network/udp_form.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

#include "app/formkit.h"

void Ui_UdpForm::setupUdpForm()
{
    udp = FormKit::makePage("udp", gridLayout_9, "gridLayout_9");
    UDPsendMsgtextEdit = new QPlainTextEdit(udp);
    UDPsendMsgtextEdit->setObjectName("UDPsendMsgtextEdit");
    UDPsendmsgBtn = new QPushButton(udp);
    UDPsendmsgBtn->setObjectName("UDPsendmsgBtn");
    UDPdelayspinBox = new QSpinBox(udp);
    UDPdelayspinBox->setObjectName("UDPdelayspinBox");
    UDPdelayspinBox->setRange(10, 5000);
    UDPdelayspinBox->setValue(200);
    gridLayout_9->addWidget(UDPsendMsgtextEdit, 3, 0);
    gridLayout_9->addWidget(UDPsendmsgBtn, 4, 0);
    gridLayout_9->addWidget(UDPdelayspinBox, 4, 1);
}

void Ui_UdpForm::retranslateUdpForm()
{
    UDPsendmsgBtn->setText(FormKit::tr("Send"));
}
