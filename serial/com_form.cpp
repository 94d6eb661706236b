#include "serial/com_form.h"

#include <QIcon>

#include "app/formkit.h"
#include "serial/terminalformat.h"
#include "serial/terminalformkit.h"

using TerminalFormKit::make;
using TerminalFormKit::makeCounter;

void Ui_ComForm::setupComForm()
{
    serial = FormKit::makePage("serial", gridLayout_4, "gridLayout_4");
    label_9 = make<QLabel>(serial, "label_9");
    gridLayout_4->addWidget(label_9, 0, 0);
    COM_StrTextBrowser = make<QPlainTextEdit>(serial, "COM_StrTextBrowser");
    gridLayout_4->addWidget(COM_StrTextBrowser, 1, 0);
    COM_HexTextBrowser = make<QPlainTextEdit>(serial, "COM_HexTextBrowser");
    COM_HexTextBrowser->setVisible(false);
    gridLayout_4->addWidget(COM_HexTextBrowser, 1, 1);

    groupBox = make<QGroupBox>(serial, "groupBox");
    gridLayout_34 = new QGridLayout(groupBox);
    gridLayout_34->setObjectName("gridLayout_34");
    gridLayout_4->addWidget(groupBox, 0, 2, 2, 1);
    comFormPort = FormKit::makePortControls(groupBox, gridLayout_34, 0, QString());
    label = comFormPort.portLabel;
    label->setObjectName("label");
    portNameComboBox = comFormPort.portList;
    label_2 = comFormPort.baudLabel;
    label_2->setObjectName("label_2");
    baudRateComboBox = comFormPort.baudList;
    opencompushButton = comFormPort.openButton;
    // The port controls fill rows 0-4; the line settings go between baud and Open.
    gridLayout_34->removeWidget(opencompushButton);
    label_3 = make<QLabel>(groupBox, "label_3");
    dataBitsComboBox = make<QComboBox>(groupBox, "dataBitsComboBox");
    label_4 = make<QLabel>(groupBox, "label_4");
    parityComboBox = make<QComboBox>(groupBox, "parityComboBox");
    label_5 = make<QLabel>(groupBox, "label_5");
    stopBitsComboBox = make<QComboBox>(groupBox, "stopBitsComboBox");
    readtxtpushButton = make<QPushButton>(groupBox, "readtxtpushButton");
    savetxtpushButton = make<QPushButton>(groupBox, "savetxtpushButton");
    cleandatapushButton = make<QPushButton>(groupBox, "cleandatapushButton");
    com_expandpushButton = make<QPushButton>(groupBox, "com_expandpushButton");
    com_expandpushButton->setEnabled(false);
    int row = 4;
    for (QWidget* w : {static_cast<QWidget*>(label_3), static_cast<QWidget*>(dataBitsComboBox),
                       static_cast<QWidget*>(label_4), static_cast<QWidget*>(parityComboBox),
                       static_cast<QWidget*>(label_5), static_cast<QWidget*>(stopBitsComboBox),
                       static_cast<QWidget*>(opencompushButton), static_cast<QWidget*>(readtxtpushButton),
                       static_cast<QWidget*>(savetxtpushButton), static_cast<QWidget*>(cleandatapushButton),
                       static_cast<QWidget*>(com_expandpushButton)})
        gridLayout_34->addWidget(w, row++, 0, 1, 2);
    com_checkBox_RTS = make<QCheckBox>(groupBox, "com_checkBox_RTS");
    com_checkBox_RTS->setChecked(true);
    com_checkBox_RTS->setVisible(false);
    gridLayout_34->addWidget(com_checkBox_RTS, 15, 0);
    com_checkBox_DTR = make<QCheckBox>(groupBox, "com_checkBox_DTR");
    com_checkBox_DTR->setChecked(true);
    com_checkBox_DTR->setVisible(false);
    gridLayout_34->addWidget(com_checkBox_DTR, 15, 1);
    showtime_checkBox = make<QCheckBox>(groupBox, "showtime_checkBox");
    gridLayout_34->addWidget(showtime_checkBox, 16, 0);
    HEXcheckBox = make<QCheckBox>(groupBox, "HEXcheckBox");
    gridLayout_34->addWidget(HEXcheckBox, 16, 1);
    FormKit::keepAtTop(gridLayout_34);

    groupBox_4 = make<QGroupBox>(serial, "groupBox_4");
    groupBox_4->setFlat(true);
    groupBox_4->setMaximumHeight(200);
    gridLayout_2 = new QGridLayout(groupBox_4);
    gridLayout_2->setObjectName("gridLayout_2");
    gridLayout_4->addWidget(groupBox_4, 3, 0, 1, 2);
    sendMsgtextEdit = make<QPlainTextEdit>(groupBox_4, "sendMsgtextEdit");
    gridLayout_2->addWidget(sendMsgtextEdit, 0, 0, 1, 8);
    sendmsgBtn = TerminalFormKit::makeSendButton(groupBox_4, "sendmsgBtn");
    gridLayout_2->addWidget(sendmsgBtn, 1, 0);
    sendAsHexcheckBox = make<QCheckBox>(groupBox_4, "sendAsHexcheckBox");
    gridLayout_2->addWidget(sendAsHexcheckBox, 1, 1);
    obocheckBox = make<QCheckBox>(groupBox_4, "obocheckBox");
    gridLayout_2->addWidget(obocheckBox, 1, 2);
    delayspinBox = make<QSpinBox>(groupBox_4, "delayspinBox");
    delayspinBox->setRange(10, 5000);
    delayspinBox->setValue(TerminalFormat::sendIntervalMs);
    gridLayout_2->addWidget(delayspinBox, 1, 3);
    label_6 = make<QLabel>(groupBox_4, "label_6");
    gridLayout_2->addWidget(label_6, 1, 4);
    cleansendpushButton = make<QPushButton>(groupBox_4, "cleansendpushButton");
    gridLayout_2->addWidget(cleansendpushButton, 1, 5);
    gridLayout_2->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 6);
    sendfileBtn = make<QPushButton>(groupBox_4, "sendfileBtn");
    gridLayout_2->addWidget(sendfileBtn, 1, 7);

    groupBox_3 = make<QGroupBox>(serial, "groupBox_3");
    gridLayout = new QGridLayout(groupBox_3);
    gridLayout->setObjectName("gridLayout");
    gridLayout_4->addWidget(groupBox_3, 3, 2);
    label_7 = make<QLabel>(groupBox_3, "label_7");
    gridLayout->addWidget(label_7, 0, 0);
    sendbyteslcdNumber = makeCounter(groupBox_3, "sendbyteslcdNumber");
    gridLayout->addWidget(sendbyteslcdNumber, 1, 0);
    label_8 = make<QLabel>(groupBox_3, "label_8");
    gridLayout->addWidget(label_8, 2, 0);
    recvbyteslcdNumber = makeCounter(groupBox_3, "recvbyteslcdNumber");
    gridLayout->addWidget(recvbyteslcdNumber, 3, 0);
    cleanbytespushButton = make<QPushButton>(groupBox_3, "cleanbytespushButton");
    gridLayout->addWidget(cleanbytespushButton, 4, 0);
}

void Ui_ComForm::retranslateComForm()
{
    label_9->setText(FormKit::tr("Receive Data"));
    groupBox->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(comFormPort);
    label_3->setText(FormKit::tr("Data Bits"));
    FormKit::setItems(dataBitsComboBox, {"5", "6", "7", "8"});
    label_4->setText(FormKit::tr("Parity"));
    FormKit::setItems(parityComboBox, {FormKit::tr("None"), FormKit::tr("Odd"), FormKit::tr("Even"),
                                       FormKit::tr("Mark"), FormKit::tr("Space")});
    label_5->setText(FormKit::tr("Stop Bits"));
    FormKit::setItems(stopBitsComboBox, {"1", "1.5", "2"});
    readtxtpushButton->setText(FormKit::tr("Import"));
    savetxtpushButton->setText(FormKit::tr("Export"));
    cleandatapushButton->setText(FormKit::tr("Clear Receive"));
    com_expandpushButton->setText(FormKit::tr("Advanced"));
    com_checkBox_RTS->setText(FormKit::tr("RTS"));
    com_checkBox_DTR->setText(FormKit::tr("DTR"));
    showtime_checkBox->setText(FormKit::tr("Time"));
    HEXcheckBox->setText(FormKit::tr("Hex", "receive view shows bytes"));
    groupBox_4->setTitle(FormKit::tr("Send Data"));
    sendmsgBtn->setText(FormKit::tr("Send"));
    sendAsHexcheckBox->setText(FormKit::tr("Hex to Send"));
    sendAsHexcheckBox->setToolTip(
        FormKit::tr("<html><head/><body><p>以十六进制方式发送数据（默认为字符方式）</p></body></html>"));
    obocheckBox->setText(FormKit::tr("Keep Send"));
    label_6->setText(FormKit::tr("Interval(MS)"));
    cleansendpushButton->setText(FormKit::tr("Clear Sendbox"));
    sendfileBtn->setText(FormKit::tr("Send File"));
    groupBox_3->setTitle(FormKit::tr("Counter"));
    label_7->setText(FormKit::tr("send"));
    sendbyteslcdNumber->setToolTip(FormKit::tr("已发送的字符"));
    label_8->setText(FormKit::tr("receive"));
    recvbyteslcdNumber->setToolTip(FormKit::tr("已接收字节数"));
    cleanbytespushButton->setText(FormKit::tr("Clear Count"));
}
