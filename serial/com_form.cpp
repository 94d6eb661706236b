#include "serial/com_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

#include "app/formkit.h"

void Ui_ComForm::setupComForm()
{
    serial = FormKit::makePage("serial", gridLayout_4, "gridLayout_4");
    groupBox = new QGroupBox(serial);
    groupBox->setObjectName("groupBox");
    com_serialGrid = new QGridLayout(groupBox);
    com_serialGrid->setObjectName("com_serialGrid");
    gridLayout_4->addWidget(groupBox, 0, 2, 2, 1);
    comFormPort = FormKit::makePortControls(groupBox, com_serialGrid, 0, QStringLiteral(""));
    portNameComboBox = comFormPort.portList;
    baudRateComboBox = comFormPort.baudList;
    opencompushButton = comFormPort.openButton;
    dataBitsComboBox = new QComboBox(groupBox);
    dataBitsComboBox->setObjectName("dataBitsComboBox");
    com_serialGrid->addWidget(dataBitsComboBox, com_serialGrid->rowCount(), 0, 1, 2);
    parityComboBox = new QComboBox(groupBox);
    parityComboBox->setObjectName("parityComboBox");
    com_serialGrid->addWidget(parityComboBox, com_serialGrid->rowCount(), 0, 1, 2);
    stopBitsComboBox = new QComboBox(groupBox);
    stopBitsComboBox->setObjectName("stopBitsComboBox");
    com_serialGrid->addWidget(stopBitsComboBox, com_serialGrid->rowCount(), 0, 1, 2);
    com_checkBox_RTS = new QCheckBox(groupBox);
    com_checkBox_RTS->setObjectName("com_checkBox_RTS");
    com_checkBox_RTS->setChecked(true);
    com_checkBox_RTS->setVisible(false);
    com_serialGrid->addWidget(com_checkBox_RTS, com_serialGrid->rowCount(), 0);
    com_checkBox_DTR = new QCheckBox(groupBox);
    com_checkBox_DTR->setObjectName("com_checkBox_DTR");
    com_checkBox_DTR->setChecked(true);
    com_checkBox_DTR->setVisible(false);
    com_serialGrid->addWidget(com_checkBox_DTR, com_serialGrid->rowCount(), 0);
    sendMsgtextEdit = new QPlainTextEdit(serial);
    sendMsgtextEdit->setObjectName("sendMsgtextEdit");
    sendmsgBtn = new QPushButton(serial);
    sendmsgBtn->setObjectName("sendmsgBtn");
    delayspinBox = new QSpinBox(serial);
    delayspinBox->setObjectName("delayspinBox");
    delayspinBox->setRange(10, 5000);
    delayspinBox->setValue(200);
    gridLayout_4->addWidget(sendMsgtextEdit, 3, 0);
    gridLayout_4->addWidget(sendmsgBtn, 4, 0);
    gridLayout_4->addWidget(delayspinBox, 4, 1);
    sendfileBtn = new QPushButton(serial);
    sendfileBtn->setObjectName("sendfileBtn");
    gridLayout_4->addWidget(sendfileBtn, 4, 2);
}

void Ui_ComForm::retranslateComForm()
{
    groupBox->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(comFormPort);
    FormKit::setItems(dataBitsComboBox, {"5", "6", "7", "8"});
    FormKit::setItems(parityComboBox, {FormKit::tr("None"), FormKit::tr("Odd"), FormKit::tr("Even"), FormKit::tr("Mark"), FormKit::tr("Space")});
    FormKit::setItems(stopBitsComboBox, {"1", "1.5", "2"});
    com_checkBox_RTS->setText(FormKit::tr("RTS"));
    com_checkBox_DTR->setText(FormKit::tr("DTR"));
    sendmsgBtn->setText(FormKit::tr("Send"));
    sendfileBtn->setText(FormKit::tr("Send File"));
}
