#include "network/udp_form.h"

#include <QSpacerItem>

#include "app/formkit.h"
#include "serial/terminalformat.h"
#include "serial/terminalformkit.h"

using TerminalFormKit::make;

void Ui_UdpForm::setupUdpForm()
{
    udp = FormKit::makePage("udp", gridLayout_3, "gridLayout_3");
    label_10 = make<QLabel>(udp, "label_10");
    label_10->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    gridLayout_3->addWidget(label_10, 1, 0);
    UDP_StrTextBrowser = make<QPlainTextEdit>(udp, "UDP_StrTextBrowser");
    gridLayout_3->addWidget(UDP_StrTextBrowser, 2, 0);
    UDP_HexTextBrowser = make<QPlainTextEdit>(udp, "UDP_HexTextBrowser");
    UDP_HexTextBrowser->setVisible(false);
    gridLayout_3->addWidget(UDP_HexTextBrowser, 2, 1);

    groupBox_2 = make<QGroupBox>(udp, "groupBox_2");
    groupBox_2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    groupBox_2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    gridLayout_6 = new QGridLayout(groupBox_2);
    gridLayout_6->setObjectName("gridLayout_6");
    gridLayout_3->addWidget(groupBox_2, 0, 2, 3, 1);
    label_17 = make<QLabel>(groupBox_2, "label_17");
    gridLayout_6->addWidget(label_17, 0, 0);
    UDPServerIPcomboBox = make<QComboBox>(groupBox_2, "UDPServerIPcomboBox");
    UDPServerIPcomboBox->setEditable(false);
    label_26 = make<QLabel>(groupBox_2, "label_26");
    UDPSenderPortlineEdit = make<QLineEdit>(groupBox_2, "UDPSenderPortlineEdit");
    label_18 = make<QLabel>(groupBox_2, "label_18");
    UDPFarIPlineEdit = make<QLineEdit>(groupBox_2, "UDPFarIPlineEdit");
    label_27 = make<QLabel>(groupBox_2, "label_27");
    UDPFarPortlineEdit = make<QLineEdit>(groupBox_2, "UDPFarPortlineEdit");
    UDPopencompushButton = make<QPushButton>(groupBox_2, "UDPopencompushButton");
    UDPopencompushButton->setCursor(Qt::ArrowCursor);
    UDPreadtxtpushButton = make<QPushButton>(groupBox_2, "UDPreadtxtpushButton");
    UDPsavetxtpushButton = make<QPushButton>(groupBox_2, "UDPsavetxtpushButton");
    UDPcleandatapushButton = make<QPushButton>(groupBox_2, "UDPcleandatapushButton");
    int row = 1;
    for (QWidget* w :
         std::initializer_list<QWidget*>{UDPServerIPcomboBox, label_26, UDPSenderPortlineEdit, label_18,
                                         UDPFarIPlineEdit, label_27, UDPFarPortlineEdit, UDPopencompushButton,
                                         UDPreadtxtpushButton, UDPsavetxtpushButton, UDPcleandatapushButton})
        gridLayout_6->addWidget(w, row++, 0, 1, 2);
    UDP_showtime_checkBox = make<QCheckBox>(groupBox_2, "UDP_showtime_checkBox");
    gridLayout_6->addWidget(UDP_showtime_checkBox, 12, 0);
    UDP_HEXcheckBox = make<QCheckBox>(groupBox_2, "UDP_HEXcheckBox");
    gridLayout_6->addWidget(UDP_HEXcheckBox, 12, 1);
    FormKit::keepAtTop(gridLayout_6);
    FormKit::narrowSideMargins(gridLayout_6);

    groupBox_5 = make<QGroupBox>(udp, "groupBox_5");
    groupBox_5->setFlat(true);
    groupBox_5->setMaximumHeight(160);
    gridLayout_5 = new QGridLayout(groupBox_5);
    gridLayout_5->setObjectName("gridLayout_5");
    gridLayout_3->addWidget(groupBox_5, 4, 0, 1, 2);
    UDPsendMsgtextEdit = make<QPlainTextEdit>(groupBox_5, "UDPsendMsgtextEdit");
    gridLayout_5->addWidget(UDPsendMsgtextEdit, 0, 0, 1, 7);
    UDPsendmsgBtn = TerminalFormKit::makeSendButton(groupBox_5, "UDPsendmsgBtn");
    gridLayout_5->addWidget(UDPsendmsgBtn, 1, 0);
    UDPsendAsHexcheckBox = make<QCheckBox>(groupBox_5, "UDPsendAsHexcheckBox");
    gridLayout_5->addWidget(UDPsendAsHexcheckBox, 1, 1);
    UDPobocheckBox = make<QCheckBox>(groupBox_5, "UDPobocheckBox");
    gridLayout_5->addWidget(UDPobocheckBox, 1, 2);
    UDPdelayspinBox = make<QSpinBox>(groupBox_5, "UDPdelayspinBox");
    UDPdelayspinBox->setRange(10, 5000);
    UDPdelayspinBox->setValue(TerminalFormat::sendIntervalMs);
    gridLayout_5->addWidget(UDPdelayspinBox, 1, 3);
    label_11 = make<QLabel>(groupBox_5, "label_11");
    label_11->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    gridLayout_5->addWidget(label_11, 1, 4);
    UDPcleansendpushButton = make<QPushButton>(groupBox_5, "UDPcleansendpushButton");
    gridLayout_5->addWidget(UDPcleansendpushButton, 1, 5);
    gridLayout_5->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 6);

    groupBox_6 = make<QGroupBox>(udp, "groupBox_6");
    groupBox_6->setMaximumHeight(160);
    gridLayout_7 = new QGridLayout(groupBox_6);
    gridLayout_7->setObjectName("gridLayout_7");
    gridLayout_3->addWidget(groupBox_6, 4, 2);
    label_12 = make<QLabel>(groupBox_6, "label_12");
    UDPsendbyteslcdNumber = TerminalFormKit::makeCounter(groupBox_6, "UDPsendbyteslcdNumber");
    label_13 = make<QLabel>(groupBox_6, "label_13");
    UDPrecvbyteslcdNumber = TerminalFormKit::makeCounter(groupBox_6, "UDPrecvbyteslcdNumber");
    UDPcleanbytespushButton = make<QPushButton>(groupBox_6, "UDPcleanbytespushButton");
    row = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{label_12, UDPsendbyteslcdNumber, label_13,
                                                      UDPrecvbyteslcdNumber, UDPcleanbytespushButton})
        gridLayout_7->addWidget(w, row++, 0);
}

void Ui_UdpForm::retranslateUdpForm()
{
    label_10->setText(FormKit::tr("Receive Data"));
    groupBox_2->setTitle(FormKit::tr("UDP Setting"));
    label_17->setText(FormKit::tr("Local IP:"));
    label_26->setText(FormKit::tr("Local Port:"));
    UDPSenderPortlineEdit->setText(FormKit::tr("1000"));
    label_18->setText(FormKit::tr("Remote IP:"));
    UDPFarIPlineEdit->setText(FormKit::tr("127.0.0.1"));
    label_27->setText(FormKit::tr("Remote Port:"));
    UDPFarPortlineEdit->setText(FormKit::tr("1000"));
    UDPopencompushButton->setText(FormKit::tr("Start"));
    UDPreadtxtpushButton->setText(FormKit::tr("Import"));
    UDPsavetxtpushButton->setText(FormKit::tr("Export"));
    UDPcleandatapushButton->setText(FormKit::tr("Clear Receive"));
    UDP_showtime_checkBox->setText(FormKit::tr("Time"));
    UDP_HEXcheckBox->setText(FormKit::tr("Hex", "receive view shows bytes"));
    groupBox_5->setTitle(FormKit::tr("Send Data"));
    UDPsendmsgBtn->setText(FormKit::tr("Send"));
    UDPsendAsHexcheckBox->setText(FormKit::tr("Hex to Send"));
    UDPsendAsHexcheckBox->setToolTip(
        FormKit::tr("<html><head/><body><p>以十六进制方式发送数据（默认为字符方式）</p></body></html>"));
    UDPobocheckBox->setText(FormKit::tr("Keep Send"));
    label_11->setText(FormKit::tr("Interval(MS)"));
    UDPcleansendpushButton->setText(FormKit::tr("Clear Sendbox"));
    groupBox_6->setTitle(FormKit::tr("Counter"));
    label_12->setText(FormKit::tr("send"));
    UDPsendbyteslcdNumber->setToolTip(FormKit::tr("已发送的字符"));
    label_13->setText(FormKit::tr("receive"));
    UDPrecvbyteslcdNumber->setToolTip(FormKit::tr("已接收字节数"));
    UDPcleanbytespushButton->setText(FormKit::tr("Clear Count"));
}
