// The TCP terminal ("TCP Debug"): a server with a client list, or a client.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHostAddress>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "app/mainwindow_form.h"
#include "network/readon.h"
#include "serial/chunkdecoder.h"
#include "serial/terminalformat.h"
#include "serial/terminalview.h"

namespace {

// Bytes shown per pass of the event loop, and held per socket before the peer is
// slowed down by TCP itself.
constexpr qint64 readBatch = 16 * 1024;
constexpr qint64 readBufferCap = 1024 * 1024;
constexpr int serverMode = 0;
constexpr int clientMode = 1;
const char peerProperty[] = "plaxPeerAddress";

// While open the send controls work and the mode, address and port fields are fixed.
void setOpenControls(Ui_MainWindow* ui, bool open)
{
    ui->TCPdelayspinBox->setEnabled(false);
    ui->TCPsendmsgBtn->setEnabled(open);
    ui->TCPsendMsgtextEdit->setEnabled(open);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->TCPclientPortlineEdit, ui->TCPclientIPlineEdit,
                                                      ui->TCPServerPortlineEdit, ui->TCPServerIPcomboBox,
                                                      ui->TCP_comboBox})
        w->setEnabled(!open);
}

} // namespace

void MainWindow::TCP_Init_Start()
{
    connect(ui->TCPreadtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_TCP_triggered()));
    connect(ui->TCPsavetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_TCP_triggered()));
    connect(ui->TCPopencompushButton, SIGNAL(pressed()), this, SLOT(TCPopencompushButton_triggered()));
    connect(ui->TCPcleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_TCP_clicked()));
    connect(ui->TCPsendmsgBtn, SIGNAL(pressed()), this, SLOT(TCPsendmsgBtn_clicked()));
    connect(ui->TCPdelayspinBox, SIGNAL(valueChanged(int)), this, SLOT(TCPdelayspinBox_valueChanged(int)));
    connect(ui->TCPcleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_TCP_triggered()));
    connect(ui->TCPcleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_TCP_triggered()));
    connect(ui->TCPobocheckBox, SIGNAL(stateChanged(int)), this, SLOT(TCP_obocheckBox_clicked()));
    connect(ui->TCP_HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(TCPHideHex_pushButton_clicked()));
    connect(TCP_server, SIGNAL(newConnection()), this, SLOT(TCP_updateserver()));
    TerminalView::setupReceiveView(ui->TCP_StrTextBrowser);
    TerminalView::setupReceiveView(ui->TCP_HexTextBrowser);
    ui->TCP_HexTextBrowser->hide();
    const int width =
        int(1.3 * (ui->TCP_HEXcheckBox->sizeHint().width() + ui->TCP_showtime_checkBox->sizeHint().width()));
    ui->groupBox_9->setMaximumWidth(width);
    ui->groupBox_8->setMaximumWidth(width);
}

void MainWindow::TCPopencompushButton_triggered()
{
    const int mode = ui->TCP_comboBox->currentIndex();
    if (!TCP_isOpen) {
        const bool started = mode == clientMode ? TCP_Client_WorkOpen() : TCP_Server_WorkOpen();
        if (started) {
            ui->TCPopencompushButton->setText(tr("Stop"));
            TCP_isOpen = true;
        }
        return;
    }
    if (mode == clientMode)
        TCP_ClientDisconnect();
    else
        TCP_Server_WorkClose();
    ui->TCPopencompushButton->setText(tr("Start"));
    TCP_isOpen = false;
}

bool MainWindow::TCP_Server_WorkOpen()
{
    TCP_port = ui->TCPServerPortlineEdit->text();
    quint16 port = 0;
    if (TCP_port.isEmpty()) {
        QMessageBox::warning(this, tr("warning:"), tr("Port is empty!"));
        return false;
    }
    if (!TerminalFormat::parsePort(TCP_port, &port)) {
        QMessageBox::warning(this, tr("warning:"), tr("Port must be a whole number from 1 to 65535!"));
        return false;
    }
    if (!TCP_server->listen(QHostAddress::Any, port)) {
        ui->statusBar->showMessage(tr("Server failed to start: %1").arg(TCP_server->errorString()));
        return false;
    }
    setOpenControls(ui, true);
    connect(TCP_sendTimer, SIGNAL(timeout()), this, SLOT(TCP_Server_WorkSendMessage()), Qt::UniqueConnection);
    ui->statusBar->showMessage(tr("Server has started"));
    return true;
}

void MainWindow::TCP_updateserver()
{
    while (QTcpSocket* socket = TCP_server->nextPendingConnection()) {
        const QString address = socket->peerAddress().toString();
        ui->statusBar->showMessage(tr("new client: ") + tr("%1 joined").arg(address));
        if (address.isEmpty()) {
            socket->disconnectFromHost();
            socket->deleteLater();
            continue;
        }
        socket->setProperty(peerProperty, address);
        socket->setReadBufferSize(readBufferCap);
        ui->TCP_Client_IP_comboBox->addItem(address);
        TCP_serverClients.append(socket);
        connect(socket, SIGNAL(disconnected()), this, SLOT(TCP_updateSendStatus()));
        connect(socket, SIGNAL(readyRead()), this, SLOT(TCP_Server_ReadMessage()));
    }
}

void MainWindow::TCP_updateSendStatus()
{
    auto* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket || !TCP_serverClients.contains(socket))
        return;
    TCP_showRest(socket, true);
    const QString address = socket->property(peerProperty).toString();
    ui->statusBar->showMessage(tr("client: ") + tr("%1 left").arg(address));
    const int index =
        ui->TCP_Client_IP_comboBox->findText(address, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ui->TCP_Client_IP_comboBox->removeItem(index);
    TCP_serverClients.removeOne(socket);
    disconnect(socket, nullptr, this, nullptr);
    socket->close();
    socket->deleteLater();
}

void MainWindow::TCP_Server_WorkClose()
{
    for (QTcpSocket* socket : std::as_const(TCP_serverClients)) {
        disconnect(socket, nullptr, this, nullptr);
        socket->close();
        socket->deleteLater();
    }
    TCP_server->close();
    ui->statusBar->showMessage(tr("Server has stopped"));
    TCP_serverClients.clear();
    setOpenControls(ui, false);
    ui->TCP_Client_IP_comboBox->clear();
    disconnect(TCP_sendTimer, SIGNAL(timeout()), this, SLOT(TCP_Server_WorkSendMessage()));
}

bool MainWindow::TCP_Client_WorkOpen()
{
    TCP_address = ui->TCPclientIPlineEdit->text();
    TCP_port = ui->TCPclientPortlineEdit->text();
    quint16 port = 0;
    if (TCP_address.isEmpty() || TCP_port.isEmpty()) {
        QMessageBox::warning(this, tr("warning:"), tr("IP or Port is empty!"));
        return false;
    }
    if (!TerminalFormat::parsePort(TCP_port, &port)) {
        QMessageBox::warning(this, tr("warning:"), tr("Port must be a whole number from 1 to 65535!"));
        return false;
    }
    TCP_releaseClientSocket();
    QTcpSocket* socket = TCP_clientSocket = new QTcpSocket(this);
    socket->setReadBufferSize(readBufferCap);
    connect(socket, &QTcpSocket::connected, this,
            [this] { ui->statusBar->showMessage(tr("Connected to TCP server")); });
    connect(socket, &QTcpSocket::disconnected, this,
            [this] { TCP_setStopped(tr("Disconnected TCP server")); });
    connect(socket, &QTcpSocket::errorOccurred, this, &MainWindow::displayError);
    connect(socket, SIGNAL(readyRead()), this, SLOT(TCP_Client_ReadMessage()));
    socket->connectToHost(TCP_address, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    setOpenControls(ui, true);
    connect(TCP_sendTimer, SIGNAL(timeout()), this, SLOT(TCP_Client_WorkSendMessage()), Qt::UniqueConnection);
    return true;
}

// Detaches the client socket: nothing it reports later reaches this terminal.
// Unsent data still goes out before it disconnects, within a bounded time.
void MainWindow::TCP_releaseClientSocket()
{
    QTcpSocket* socket = TCP_clientSocket;
    if (!socket)
        return;
    TCP_clientSocket = nullptr;
    disconnect(socket, nullptr, this, nullptr);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(3000, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

void MainWindow::TCP_ClientDisconnect()
{
    TCP_releaseClientSocket();
    ui->statusBar->showMessage(tr("Disconnected TCP server"));
    setOpenControls(ui, false);
    disconnect(TCP_sendTimer, SIGNAL(timeout()), this, SLOT(TCP_Client_WorkSendMessage()));
}

void MainWindow::displayError(QAbstractSocket::SocketError error)
{
    if (sender() != TCP_clientSocket)
        return;
    // A server that closes an established connection is a disconnection, not a missing server.
    TCP_setStopped(error == QAbstractSocket::RemoteHostClosedError ? tr("Disconnected TCP server")
                                                                   : tr("No server found"));
}

// Client mode ends by itself (error or the server closing): back to Stopped.
void MainWindow::TCP_setStopped(const QString& status)
{
    if (TCP_clientSocket)
        TCP_showRest(TCP_clientSocket, false);
    TCP_releaseClientSocket();
    TCP_isOpen = false;
    ui->statusBar->showMessage(status);
    setOpenControls(ui, false);
    ui->TCPopencompushButton->setText(QStringLiteral("Start"));
    disconnect(TCP_sendTimer, SIGNAL(timeout()), this, SLOT(TCP_Client_WorkSendMessage()));
}

void MainWindow::TCP_Server_ReadMessage()
{
    auto* socket = qobject_cast<QTcpSocket*>(sender());
    if (socket && !ReadOn::pending(socket))
        TCP_showChunk(socket, true);
}

void MainWindow::TCP_Client_ReadMessage()
{
    if (TCP_clientSocket && !ReadOn::pending(TCP_clientSocket))
        TCP_showChunk(TCP_clientSocket, false);
}

// Shows at most one batch of what the socket holds; the rest follows in the next pass.
void MainWindow::TCP_showChunk(QTcpSocket* socket, bool fromServer)
{
    if (fromServer ? !TCP_serverClients.contains(socket) : socket != TCP_clientSocket)
        return;
    // The read that empties the buffer asks for one byte more than it holds: only a
    // read past the buffer makes a socket whose buffer was full read on.
    const qint64 buffered = socket->bytesAvailable();
    QByteArray data = socket->read(buffered <= readBatch ? buffered + 1 : readBatch);
    if (data.isEmpty())
        return;
    const bool stamped = ui->TCP_showtime_checkBox->isChecked();
    const QString hex = TerminalFormat::hexNetwork(data);
    const qint64 count = data.size();
    data.replace('\r', QByteArray());
    TerminalView::showChunk(ui->TCP_StrTextBrowser, ui->TCP_HexTextBrowser,
                            ChunkDecoder::of(socket)->decode(data, stamped), hex, stamped);
    ui->statusBar->showMessage(
        tr("TCP receive ") + tr("from:%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()));
    TerminalView::addToCounter(ui->TCPrecvbyteslcdNumber, count);
    if (socket->bytesAvailable() > 0)
        ReadOn::schedule(socket, [this, socket, fromServer] { TCP_showChunk(socket, fromServer); });
}

// A peer that closes may leave data in the socket's buffer: it is shown before the socket goes.
void MainWindow::TCP_showRest(QTcpSocket* socket, bool fromServer)
{
    while (socket->bytesAvailable() > 0)
        TCP_showChunk(socket, fromServer);
}

bool MainWindow::TCP_payload(QByteArray* payload)
{
    const QString text = ui->TCPsendMsgtextEdit->toPlainText();
    if (text.isEmpty())
        return false;
    if (!ui->TCPsendAsHexcheckBox->isChecked()) {
        *payload = TerminalFormat::networkText(text).toLocal8Bit();
        return true;
    }
    if (TerminalFormat::parseHexTokens(text, payload))
        return true;
    ui->statusBar->showMessage(tr("The input data format is wrong!"));
    TCP_sendTimer->stop();
    TerminalView::setSendIdle(ui->TCPsendmsgBtn);
    return false;
}

void MainWindow::TCP_sendTo(QTcpSocket* socket, const QByteArray& payload)
{
    // A keep-sending tick waits for a peer that has not taken the previous send.
    if (sender() == TCP_sendTimer && socket->bytesToWrite() > 0)
        return;
    const qint64 written = socket->write(payload);
    if (written != payload.size()) {
        ui->statusBar->showMessage(tr("Send failed: %1").arg(socket->errorString()));
        return;
    }
    TerminalView::addToCounter(ui->TCPsendbyteslcdNumber, written);
}

void MainWindow::TCP_Server_WorkSendMessage()
{
    QByteArray payload;
    if (!TCP_payload(&payload))
        return;
    const QString selected = ui->TCP_Client_IP_comboBox->currentText();
    for (QTcpSocket* socket : std::as_const(TCP_serverClients)) {
        if (socket->property(peerProperty).toString() == selected)
            TCP_sendTo(socket, payload);
    }
}

void MainWindow::TCP_Client_WorkSendMessage()
{
    QByteArray payload;
    if (TCP_clientSocket && TCP_payload(&payload))
        TCP_sendTo(TCP_clientSocket, payload);
}

void MainWindow::TCP_sendOnce()
{
    if (ui->TCP_comboBox->currentIndex() == clientMode)
        TCP_Client_WorkSendMessage();
    else
        TCP_Server_WorkSendMessage();
}

void MainWindow::TCPsendmsgBtn_clicked()
{
    Terminal_sendClicked(Terminal::Tcp);
}

void MainWindow::TCP_obocheckBox_clicked()
{
    Terminal_keepSendingToggled(Terminal::Tcp);
}

void MainWindow::TCPdelayspinBox_valueChanged(int value)
{
    Terminal_setInterval(Terminal::Tcp, value);
}

void MainWindow::TCPHideHex_pushButton_clicked()
{
    Terminal_showHex(Terminal::Tcp);
}

void MainWindow::actionClearBytes_TCP_triggered()
{
    Terminal_clearCounters(Terminal::Tcp);
}

void MainWindow::actionCleanData_TCP_triggered()
{
    Terminal_clearReceived(Terminal::Tcp);
}

void MainWindow::cleanSendData_TCP_clicked()
{
    Terminal_clearSend(Terminal::Tcp);
}

void MainWindow::actionSave_TCP_triggered()
{
    Terminal_export(Terminal::Tcp);
}

void MainWindow::actionLoadfile_TCP_triggered()
{
    Terminal_import(Terminal::Tcp);
}
