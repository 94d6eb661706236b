#include "network/tcp_form.h"

#include <QSpacerItem>

#include "app/formkit.h"
#include "serial/terminalformat.h"
#include "serial/terminalformkit.h"

using TerminalFormKit::make;

void Ui_TcpForm::setupTcpForm()
{
    tcp = FormKit::makePage("tcp", gridLayout_12, "gridLayout_12");
    label_15 = make<QLabel>(tcp, "label_15");
    label_15->setMaximumHeight(15);
    gridLayout_12->addWidget(label_15, 0, 0);
    TCP_StrTextBrowser = make<QPlainTextEdit>(tcp, "TCP_StrTextBrowser");
    gridLayout_12->addWidget(TCP_StrTextBrowser, 1, 0);
    TCP_HexTextBrowser = make<QPlainTextEdit>(tcp, "TCP_HexTextBrowser");
    TCP_HexTextBrowser->setVisible(false);
    gridLayout_12->addWidget(TCP_HexTextBrowser, 1, 1);

    groupBox_9 = make<QGroupBox>(tcp, "groupBox_9");
    groupBox_9->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gridLayout_11 = new QGridLayout(groupBox_9);
    gridLayout_11->setObjectName("gridLayout_11");
    gridLayout_12->addWidget(groupBox_9, 0, 2, 2, 1);
    label_22 = make<QLabel>(groupBox_9, "label_22");
    gridLayout_11->addWidget(label_22, 0, 0);
    TCP_comboBox = make<QComboBox>(groupBox_9, "TCP_comboBox");
    TCP_comboBox->addItem(QString());
    TCP_comboBox->addItem(QString());
    label_20 = make<QLabel>(groupBox_9, "label_20");
    TCPServerIPcomboBox = make<QComboBox>(groupBox_9, "TCPServerIPcomboBox");
    TCPServerIPcomboBox->setEditable(false);
    label_28 = make<QLabel>(groupBox_9, "label_28");
    TCPServerPortlineEdit = make<QLineEdit>(groupBox_9, "TCPServerPortlineEdit");
    label_21 = make<QLabel>(groupBox_9, "label_21");
    TCPclientIPlineEdit = make<QLineEdit>(groupBox_9, "TCPclientIPlineEdit");
    label_29 = make<QLabel>(groupBox_9, "label_29");
    TCPclientPortlineEdit = make<QLineEdit>(groupBox_9, "TCPclientPortlineEdit");
    TCPopencompushButton = make<QPushButton>(groupBox_9, "TCPopencompushButton");
    TCPopencompushButton->setCursor(Qt::ArrowCursor);
    TCPreadtxtpushButton = make<QPushButton>(groupBox_9, "TCPreadtxtpushButton");
    TCPsavetxtpushButton = make<QPushButton>(groupBox_9, "TCPsavetxtpushButton");
    TCPcleandatapushButton = make<QPushButton>(groupBox_9, "TCPcleandatapushButton");
    int row = 1;
    for (QWidget* w : std::initializer_list<QWidget*>{
             TCP_comboBox, label_20, TCPServerIPcomboBox, label_28, TCPServerPortlineEdit, label_21,
             TCPclientIPlineEdit, label_29, TCPclientPortlineEdit, TCPopencompushButton, TCPreadtxtpushButton,
             TCPsavetxtpushButton, TCPcleandatapushButton})
        gridLayout_11->addWidget(w, row++, 0, 1, 2);
    TCP_showtime_checkBox = make<QCheckBox>(groupBox_9, "TCP_showtime_checkBox");
    gridLayout_11->addWidget(TCP_showtime_checkBox, 14, 0);
    TCP_HEXcheckBox = make<QCheckBox>(groupBox_9, "TCP_HEXcheckBox");
    gridLayout_11->addWidget(TCP_HEXcheckBox, 14, 1);
    FormKit::keepAtTop(gridLayout_11);
    FormKit::narrowSideMargins(gridLayout_11);

    groupBox_7 = make<QGroupBox>(tcp, "groupBox_7");
    groupBox_7->setFlat(true);
    groupBox_7->setMaximumHeight(200);
    gridLayout_9 = new QGridLayout(groupBox_7);
    gridLayout_9->setObjectName("gridLayout_9");
    gridLayout_12->addWidget(groupBox_7, 2, 0, 1, 2);
    TCPsendMsgtextEdit = make<QPlainTextEdit>(groupBox_7, "TCPsendMsgtextEdit");
    gridLayout_9->addWidget(TCPsendMsgtextEdit, 0, 0, 1, 7);
    TCP_Client_IP_comboBox = make<QComboBox>(groupBox_7, "TCP_Client_IP_comboBox");
    gridLayout_9->addWidget(TCP_Client_IP_comboBox, 1, 0, 1, 6);
    gridLayout_9->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 6);
    TCPsendmsgBtn = TerminalFormKit::makeSendButton(groupBox_7, "TCPsendmsgBtn");
    gridLayout_9->addWidget(TCPsendmsgBtn, 2, 0);
    TCPsendAsHexcheckBox = make<QCheckBox>(groupBox_7, "TCPsendAsHexcheckBox");
    gridLayout_9->addWidget(TCPsendAsHexcheckBox, 2, 1);
    TCPobocheckBox = make<QCheckBox>(groupBox_7, "TCPobocheckBox");
    gridLayout_9->addWidget(TCPobocheckBox, 2, 2);
    TCPdelayspinBox = make<QSpinBox>(groupBox_7, "TCPdelayspinBox");
    TCPdelayspinBox->setRange(10, 5000);
    TCPdelayspinBox->setValue(TerminalFormat::sendIntervalMs);
    gridLayout_9->addWidget(TCPdelayspinBox, 2, 3);
    label_14 = make<QLabel>(groupBox_7, "label_14");
    gridLayout_9->addWidget(label_14, 2, 4);
    TCPcleansendpushButton = make<QPushButton>(groupBox_7, "TCPcleansendpushButton");
    gridLayout_9->addWidget(TCPcleansendpushButton, 2, 5);
    gridLayout_9->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 2, 6);

    groupBox_8 = make<QGroupBox>(tcp, "groupBox_8");
    gridLayout_10 = new QGridLayout(groupBox_8);
    gridLayout_10->setObjectName("gridLayout_10");
    gridLayout_12->addWidget(groupBox_8, 2, 2);
    label_16 = make<QLabel>(groupBox_8, "label_16");
    TCPsendbyteslcdNumber = TerminalFormKit::makeCounter(groupBox_8, "TCPsendbyteslcdNumber");
    label_19 = make<QLabel>(groupBox_8, "label_19");
    TCPrecvbyteslcdNumber = TerminalFormKit::makeCounter(groupBox_8, "TCPrecvbyteslcdNumber");
    TCPcleanbytespushButton = make<QPushButton>(groupBox_8, "TCPcleanbytespushButton");
    row = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{label_16, TCPsendbyteslcdNumber, label_19,
                                                      TCPrecvbyteslcdNumber, TCPcleanbytespushButton})
        gridLayout_10->addWidget(w, row++, 0);
}

void Ui_TcpForm::retranslateTcpForm()
{
    label_15->setText(FormKit::tr("Receive Data"));
    groupBox_9->setTitle(FormKit::tr("TCP Setting"));
    label_22->setText(FormKit::tr("Mode:"));
    FormKit::setItems(TCP_comboBox, {FormKit::tr("TCP Server"), FormKit::tr("TCP Client")});
    label_20->setText(FormKit::tr("Local IP:"));
    label_28->setText(FormKit::tr("Local Port:"));
    TCPServerPortlineEdit->setText(FormKit::tr("1000"));
    label_21->setText(FormKit::tr("Remote IP:"));
    TCPclientIPlineEdit->setText(FormKit::tr("127.0.0.1"));
    label_29->setText(FormKit::tr("Remote Port:"));
    TCPclientPortlineEdit->setText(FormKit::tr("1000"));
    TCPopencompushButton->setText(FormKit::tr("Start"));
    TCPreadtxtpushButton->setText(FormKit::tr("Import"));
    TCPsavetxtpushButton->setText(FormKit::tr("Export"));
    TCPcleandatapushButton->setText(FormKit::tr("Clear Receive"));
    TCP_showtime_checkBox->setText(FormKit::tr("Time"));
    TCP_HEXcheckBox->setText(FormKit::tr("Hex", "receive view shows bytes"));
    groupBox_7->setTitle(FormKit::tr("Send Data"));
    TCPsendmsgBtn->setText(FormKit::tr("Send"));
    TCPsendAsHexcheckBox->setText(FormKit::tr("Hex to Send"));
    TCPsendAsHexcheckBox->setToolTip(
        FormKit::tr("<html><head/><body><p>以十六进制方式发送数据（默认为字符方式）</p></body></html>"));
    TCPobocheckBox->setText(FormKit::tr("Keep Send"));
    label_14->setText(FormKit::tr("Interval(MS)"));
    TCPcleansendpushButton->setText(FormKit::tr("Clear Sendbox"));
    groupBox_8->setTitle(FormKit::tr("Counter"));
    label_16->setText(FormKit::tr("send"));
    TCPsendbyteslcdNumber->setToolTip(FormKit::tr("已发送的字符"));
    label_19->setText(FormKit::tr("receive"));
    TCPrecvbyteslcdNumber->setToolTip(FormKit::tr("已接收字节数"));
    TCPcleanbytespushButton->setText(FormKit::tr("Clear Count"));
}
