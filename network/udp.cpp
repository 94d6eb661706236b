// The UDP terminal ("UDP Debug"), and the list of local addresses shared with
// the TCP and GPS tabs.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHostAddress>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QUdpSocket>

#include "app/mainwindow_form.h"
#include "network/readon.h"
#include "serial/chunkdecoder.h"
#include "serial/terminalformat.h"
#include "serial/terminalview.h"

namespace {
// How long one pass may read datagrams while a flood lasts.
constexpr qint64 passMs = 20;
// The kernel holds a burst this large while the window is busy elsewhere (the
// system may grant less).
constexpr int receiveBufferBytes = 4 * 1024 * 1024;
} // namespace

void MainWindow::getLocalIP()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        const QString text = address.toString();
        ui->UDPServerIPcomboBox->addItem(text);
        ui->TCPServerIPcomboBox->addItem(text);
        ui->GPSTCPServerIPcomboBox->addItem(text);
    }
    UDP_sendSocket = new QUdpSocket(this);
    UDP_recvSocket = new QUdpSocket(this);
    TCP_server = new QTcpServer(this);
    GPS_tcpServer = new QTcpServer(this);
    GPS_tcpClients.clear();
}

void MainWindow::UDP_Init_Start()
{
    connect(ui->UDPopencompushButton, SIGNAL(pressed()), this, SLOT(UDPopencompushButton_triggered()));
    connect(ui->UDPsendmsgBtn, SIGNAL(pressed()), this, SLOT(UDPsendmsgBtn_clicked()));
    connect(ui->UDPcleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_UDP_triggered()));
    connect(ui->UDPcleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_UDP_triggered()));
    connect(ui->UDPcleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_UDP_clicked()));
    connect(ui->UDPdelayspinBox, SIGNAL(valueChanged(int)), this, SLOT(UDPdelayspinBox_valueChanged(int)));
    connect(ui->UDPsavetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_UDP_triggered()));
    connect(ui->UDPreadtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_UDP_triggered()));
    connect(ui->UDPobocheckBox, SIGNAL(stateChanged(int)), this, SLOT(UDP_obocheckBox_clicked()));
    connect(ui->UDP_HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(UDPHideHex_pushButton_clicked()));
    TerminalView::setupReceiveView(ui->UDP_StrTextBrowser);
    TerminalView::setupReceiveView(ui->UDP_HexTextBrowser);
    ui->UDP_HexTextBrowser->hide();
    ui->groupBox_2->setMaximumWidth(
        int(1.3 * (ui->UDP_HEXcheckBox->sizeHint().width() + ui->UDP_showtime_checkBox->sizeHint().width())));
}

void MainWindow::UDPopencompushButton_triggered()
{
    if (!UDP_isOpen) {
        if (UDP_WorkOpen()) {
            ui->UDPopencompushButton->setText(tr("Stop"));
            UDP_isOpen = true;
        }
        return;
    }
    UDP_WorkClose();
    ui->UDPopencompushButton->setText(tr("Start"));
    UDP_isOpen = false;
}

// Address and port fields editable (stopped) or the send controls usable (listening).
void MainWindow::UDP_setFieldsEnabled(bool enable)
{
    ui->UDPdelayspinBox->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->UDPServerIPcomboBox, ui->UDPSenderPortlineEdit,
                                                      ui->UDPFarIPlineEdit, ui->UDPFarPortlineEdit})
        w->setEnabled(enable);
    ui->UDPsendmsgBtn->setEnabled(!enable);
    ui->UDPsendMsgtextEdit->setEnabled(!enable);
}

bool MainWindow::UDP_WorkOpen()
{
    quint16 localPort = 0;
    quint16 remotePort = 0;
    if (!TerminalFormat::parsePort(ui->UDPSenderPortlineEdit->text(), &localPort)) {
        QMessageBox::warning(this, tr("warning:"), tr("Local port must be a whole number from 1 to 65535!"));
        return false;
    }
    if (QHostAddress(ui->UDPFarIPlineEdit->text().trimmed()).isNull() ||
        !TerminalFormat::parsePort(ui->UDPFarPortlineEdit->text(), &remotePort)) {
        QMessageBox::warning(this, tr("warning:"), tr("Remote IP or port is invalid!"));
        return false;
    }
    if (UDP_recvSocket) {
        UDP_recvSocket->close();
        UDP_recvSocket->deleteLater();
        UDP_recvSocket = nullptr;
    }
    auto* socket = new QUdpSocket(this);
    if (!socket->bind(QHostAddress::Any, localPort)) {
        ui->statusBar->showMessage(tr("UDP failed to listen: %1").arg(socket->errorString()));
        socket->deleteLater();
        return false;
    }
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBufferBytes);
    UDP_recvSocket = socket;
    connect(UDP_recvSocket, SIGNAL(readyRead()), this, SLOT(readUDP()));
    UDP_setFieldsEnabled(false);
    ui->statusBar->showMessage(tr("UDP starts listening"));
    return true;
}

void MainWindow::UDP_WorkClose()
{
    if (!UDP_recvSocket)
        return;
    disconnect(UDP_recvSocket, SIGNAL(readyRead()), this, SLOT(readUDP()));
    UDP_recvSocket->disconnectFromHost();
    UDP_recvSocket->close();
    UDP_recvSocket->deleteLater();
    UDP_recvSocket = nullptr;
    UDP_setFieldsEnabled(true);
    ui->statusBar->showMessage(tr("UDP stop listening"));
}

void MainWindow::UDP_sendMsg()
{
    const QString text = ui->UDPsendMsgtextEdit->toPlainText();
    if (!UDP_recvSocket || text.isEmpty())
        return;
    const QHostAddress address(ui->UDPFarIPlineEdit->text().trimmed());
    quint16 port = 0;
    if (address.isNull() || !TerminalFormat::parsePort(ui->UDPFarPortlineEdit->text(), &port))
        return; // checked at Start; the fields cannot change while listening
    QByteArray payload = TerminalFormat::networkText(text).toLocal8Bit();
    if (ui->UDPsendAsHexcheckBox->isChecked() && !TerminalFormat::parseHexTokens(text, &payload)) {
        ui->statusBar->showMessage(tr("The input data format is wrong!"));
        UDP_sendTimer->stop();
        TerminalView::setSendIdle(ui->UDPsendmsgBtn);
        return;
    }
    const qint64 written = UDP_sendSocket->writeDatagram(payload, address, port);
    if (written != payload.size()) {
        ui->statusBar->showMessage(tr("Send failed: %1").arg(UDP_sendSocket->errorString()));
        return;
    }
    TerminalView::addToCounter(ui->UDPsendbyteslcdNumber, written);
}

void MainWindow::UDPsendmsgBtn_clicked()
{
    Terminal_sendClicked(Terminal::Udp);
}

// Takes every pending datagram at once, so a burst never overflows the kernel's
// buffer; the views gather the text and show it at screen rate. Only a flood that
// lasts is read on in the next pass, so timers and input get their turn. Each sender
// has a decoder of its own.
void MainWindow::readUDP()
{
    QUdpSocket* socket = UDP_recvSocket;
    if (!socket || !socket->hasPendingDatagrams())
        return;
    if (sender() == socket && ReadOn::pending(socket))
        return;
    const bool stamped = ui->UDP_showtime_checkBox->isChecked();
    QString text, hex;
    QNetworkDatagram datagram;
    qint64 bytes = 0;
    QElapsedTimer pass;
    pass.start();
    // Looked up again only when the sender changes: a flood mostly comes from one.
    ChunkDecoder* decoder = nullptr;
    QHostAddress decoderAddress;
    int decoderPort = -1;
    while (socket->hasPendingDatagrams() && !pass.hasExpired(passMs)) {
        datagram = socket->receiveDatagram();
        if (!decoder || datagram.senderPort() != decoderPort || datagram.senderAddress() != decoderAddress) {
            decoderAddress = datagram.senderAddress();
            decoderPort = datagram.senderPort();
            decoder = ChunkDecoder::of(socket, decoderAddress.toString() + QLatin1Char(':') +
                                                   QString::number(decoderPort));
        }
        QByteArray data = datagram.data();
        const QString hexPart = TerminalFormat::hexNetwork(data);
        bytes += data.size();
        data.replace('\r', QByteArray());
        if (stamped) {
            TerminalView::showChunk(ui->UDP_StrTextBrowser, ui->UDP_HexTextBrowser,
                                    decoder->decode(data, true), hexPart, true);
        } else {
            text += decoder->decode(data, false);
            hex += hexPart;
        }
    }
    if (!stamped)
        TerminalView::showChunk(ui->UDP_StrTextBrowser, ui->UDP_HexTextBrowser, text, hex, false);
    ui->statusBar->showMessage(
        tr("UDP receive ") +
        tr("from:%1:%2").arg(datagram.senderAddress().toString()).arg(datagram.senderPort()));
    TerminalView::addToCounter(ui->UDPrecvbyteslcdNumber, bytes);
    if (socket->hasPendingDatagrams())
        ReadOn::schedule(socket, [this] { readUDP(); });
}

void MainWindow::UDP_obocheckBox_clicked()
{
    Terminal_keepSendingToggled(Terminal::Udp);
}

void MainWindow::UDPdelayspinBox_valueChanged(int value)
{
    Terminal_setInterval(Terminal::Udp, value);
}

void MainWindow::UDPHideHex_pushButton_clicked()
{
    Terminal_showHex(Terminal::Udp);
}

void MainWindow::actionClearBytes_UDP_triggered()
{
    Terminal_clearCounters(Terminal::Udp);
}

void MainWindow::actionCleanData_UDP_triggered()
{
    Terminal_clearReceived(Terminal::Udp);
}

void MainWindow::cleanSendData_UDP_clicked()
{
    Terminal_clearSend(Terminal::Udp);
}

void MainWindow::actionSave_UDP_triggered()
{
    Terminal_export(Terminal::Udp);
}

void MainWindow::actionLoadfile_UDP_triggered()
{
    Terminal_import(Terminal::Udp);
}
