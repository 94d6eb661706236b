// The Modbus master tab: RTU frames on the shared serial port, or Modbus TCP.
#include "app/mainwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTextCursor>
#include <QTime>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "protocols/modbusconsole.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "widgets/logview.h"

namespace {

// Nothing reads the port or socket between transactions: keep what piles up small.
constexpr qint64 linkReadBufferBytes = 64 * 1024;

// Appends at the end whatever the user selected or clicked in the log.
// One entry per exchange: shown at once.
void appendLogEntry(QPlainTextEdit* log, const QString& html)
{
    LogView::of(log)->insertHtml(html);
    LogView::of(log)->flush();
}

} // namespace

void MainWindow::Modbus_Init_Start()
{
    connect(ui->Modbus_function_comboBox, &QComboBox::currentIndexChanged, this,
            &MainWindow::Modbus_function_comboBoxIndexChanged);
    connect(ui->ModbusopencompushButton, &QPushButton::pressed, this, &MainWindow::ModbusOpen_triggered);
    connect(ui->ModbusTCPopencompushButton, &QPushButton::pressed, this,
            &MainWindow::ModbusTCPopencompushButton_triggered);
    connect(ui->ModbusportMode_2, &QRadioButton::pressed, this, &MainWindow::ModbusPortModeChanged);
    connect(ui->ModbusportMode_1, &QRadioButton::pressed, this, &MainWindow::ModbusPortModeChanged);
    connect(ui->Modbus_pushButton, &QPushButton::clicked, this, &MainWindow::Modbus_Read_write_Button);
    connect(ui->Modbus_revice_cleandatapushButton, &QPushButton::pressed, this,
            &MainWindow::actionModbus_revice_CleanData_triggered);
    connect(ui->Modbus_send_cleandatapushButton, &QPushButton::pressed, this,
            &MainWindow::actionModbus_send_CleanData_triggered);
    Modbus_showMode(false);
    ui->Modbus_sendMsgtextEdit->setReadOnly(true);
    ui->Modbus_HexTextBrowser->setReadOnly(true);
    // Logs of a long polling session keep their newest entries only.
    LogView::attach(ui->Modbus_sendMsgtextEdit, ModbusLogMaxBlocks);
    LogView::attach(ui->Modbus_HexTextBrowser, ModbusLogMaxBlocks);
    ui->Modbus_lineEdit->setReadOnly(true);
    ui->ModbusopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->ModbusTCPopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    Modbus_tcpOpen = 0;
    ui->Modbus_pushButton->setText(QStringLiteral("Read"));
    ui->Modbus_function_comboBox->setCurrentIndex(0);
}

void MainWindow::ModbussetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Modbus, enable);
}

void MainWindow::ModbusOpen_triggered()
{
    if (Serial_isOpen) {
        Serial_close(SerialTab::Modbus);
        Modbus_serialOpen = false;
        Modbus_releaseEngine();
        return;
    }
    const SerialOpenResult result = Serial_open(SerialTab::Modbus);
    if (result == SerialOpenResult::Failed)
        Modbus_releaseEngine();
    if (result != SerialOpenResult::Opened)
        return;
    Modbus_releaseEngine();
    Modbus_client = new Quenlix_ModbusClient(this);
    Serial_thread->serialPort->setReadBufferSize(linkReadBufferBytes);
    Modbus_serialOpen = true;
}

// The engine keeps no state, so one made for TCP serves as well as the serial one.
Quenlix_ModbusClient* MainWindow::Modbus_engine()
{
    if (!Modbus_client)
        Modbus_client = new Quenlix_ModbusClient(this);
    return Modbus_client;
}

// Later, not now: a port failure can close the link in the middle of a transaction.
void MainWindow::Modbus_releaseEngine()
{
    if (Modbus_client)
        Modbus_client->deleteLater();
    Modbus_client = nullptr;
}

void MainWindow::Modbus_function_comboBoxIndexChanged(int index)
{
    const bool write = ModbusConsole::isWriteIndex(index);
    ui->Modbus_lineEdit->setReadOnly(!write);
    ui->Modbus_pushButton->setText(write ? QStringLiteral("Write") : QStringLiteral("Read"));
}

void MainWindow::ModbusPortModeChanged()
{
    const auto* radio = qobject_cast<const QRadioButton*>(sender());
    if (!radio)
        return;
    if (radio->text() == tr("COM"))
        Modbus_showMode(false);
    else if (radio->text() == tr("TCP"))
        Modbus_showMode(true);
}

void MainWindow::Modbus_showMode(bool tcp)
{
    (tcp ? ui->ModbusportMode_2 : ui->ModbusportMode_1)->setChecked(true);
    (tcp ? ui->ModbusportMode_1 : ui->ModbusportMode_2)->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->ModbusportNameComboBox, ui->ModbusbaudRateComboBox, ui->ModbusdataBitsComboBox,
             ui->ModbusparityComboBox, ui->ModbusstopBitsComboBox, ui->ModbusopencompushButton,
             ui->modbusFormPort.portLabel, ui->modbusFormPort.baudLabel, ui->ModbusdataBitsLabel,
             ui->ModbusparityLabel, ui->ModbusstopBitsLabel})
        w->setVisible(!tcp);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->ModbusTCPopencompushButton, ui->ModbusTCPclientIPlineEdit, ui->ModbusTCPclientPortlineEdit,
             ui->ModbusTCPclientIPlabel, ui->ModbusTCPclientPortlabel})
        w->setVisible(tcp);
}

void MainWindow::ModbusTCPopencompushButton_triggered()
{
    if (Modbus_tcpOpen) {
        disconnect(Modbus_tcpSocket, nullptr, this, nullptr); // a late error is no longer ours
        Modbus_tcpSocket->disconnectFromHost();
        ui->statusBar->showMessage(tr("Disconnected TCP server"));
        Modbus_setTcpIdle();
        return;
    }
    const QString ip = ui->ModbusTCPclientIPlineEdit->text();
    const QString portText = ui->ModbusTCPclientPortlineEdit->text();
    if (ip.isEmpty() || portText.isEmpty()) {
        QMessageBox::warning(this, tr("warning:"), tr("IP or Port is empty!"));
        return;
    }
    // A port past 65535 would silently connect somewhere else.
    quint16 port = 0;
    if (!TerminalFormat::parsePort(portText, &port)) {
        QMessageBox::warning(this, tr("warning:"), tr("Port must be a whole number from 1 to 65535!"));
        return;
    }
    if (Modbus_tcpSocket) {
        disconnect(Modbus_tcpSocket, nullptr, this, nullptr);
        Modbus_tcpSocket->abort();
        Modbus_tcpSocket->deleteLater();
    }
    Modbus_tcpSocket = new QTcpSocket(this);
    Modbus_tcpSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    Modbus_tcpSocket->setReadBufferSize(linkReadBufferBytes);
    connect(Modbus_tcpSocket, &QAbstractSocket::errorOccurred, this, &MainWindow::Modbus_displayError);
    // Success is reported once the connection stands, not when it is only attempted.
    connect(Modbus_tcpSocket, &QAbstractSocket::connected, this,
            [this] { ui->statusBar->showMessage(tr("Connected to TCP server")); });
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->ModbusportMode_1, ui->ModbusportMode_2,
                                         ui->ModbusTCPclientIPlineEdit, ui->ModbusTCPclientPortlineEdit})
        w->setEnabled(false);
    ui->ModbusTCPopencompushButton->setText(tr("Disconnect"));
    ui->ModbusTCPopencompushButton->setStyleSheet(QString::fromLatin1(Styles::activeButton));
    Modbus_tcpOpen = 1;
    Modbus_engine();
    // Last: a connection that fails at once finds the link already in its connecting state.
    Modbus_tcpSocket->connectToHost(ip, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void MainWindow::Modbus_displayError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::SocketTimeoutError)
        return; // every reply window that passes without input ends in one
    if (Modbus_tcpSocket)
        Modbus_tcpSocket->close();
    ui->statusBar->showMessage(tr("No server found"));
    Modbus_setTcpIdle();
}

void MainWindow::Modbus_setTcpIdle()
{
    Modbus_tcpOpen = 0;
    ui->ModbusTCPopencompushButton->setText(tr("Connect"));
    ui->ModbusTCPopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->ModbusportMode_1, ui->ModbusportMode_2,
                                         ui->ModbusTCPclientIPlineEdit, ui->ModbusTCPclientPortlineEdit})
        w->setEnabled(true);
}

void MainWindow::Modbus_Read_write_Button()
{
    const Quenlix_ModBus_Mode mode = !ui->ModbusportMode_1->isChecked() && ui->ModbusportMode_2->isChecked()
                                         ? Quenlix_ModBus_TCP
                                         : Quenlix_ModBus_RTU;
    // Each mode needs its own link of this tab: never frames into a port another console holds.
    if (mode == Quenlix_ModBus_RTU ? !Modbus_serialOpen : Modbus_tcpOpen == 0)
        return;
    const int slaveId = ui->ModbusspinBox->value();
    const int start = ui->Modbus_address_spinBox->value();
    const int quantity = ui->Modbus_quantity_spinBox->value();
    const auto code = ModbusConsole::functionForIndex(ui->Modbus_function_comboBox->currentIndex());
    const QString text = ui->Modbus_lineEdit->text();
    const QString action = ui->Modbus_pushButton->text();
    if (text.isEmpty() && action != QLatin1String("Read"))
        return;
    if (!Modbus_isValidHexInput(text)) {
        QMessageBox::warning(nullptr, tr("输入错误"),
                             tr("请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12"), QMessageBox::Ok);
        return;
    }
    const QByteArray data = Modbus_convertHexStringToByteArray(text.toLatin1());
    if (action == QLatin1String("Read"))
        return Modbus_onReadButtonClicked(slaveId, code, start, quantity, mode);
    if (action != QLatin1String("Write"))
        return;
    const QString oversized = ModbusConsole::oversizedToken(text);
    if (!oversized.isEmpty() || data.size() > ModbusConsole::maxValueBytes) {
        QMessageBox::warning(
            nullptr, tr("输入错误"),
            oversized.isEmpty()
                ? tr("At most %1 value bytes fit in one request.").arg(ModbusConsole::maxValueBytes)
                : tr("Each value is one byte, 0x00 to 0xFF: %1").arg(oversized),
            QMessageBox::Ok);
        return;
    }
    Modbus_onWriteButtonClicked(slaveId, code, start, quantity, data, mode);
}

bool MainWindow::Modbus_isValidHexInput(const QString& text)
{
    return ModbusConsole::isValidHexInput(text);
}

QByteArray MainWindow::Modbus_convertHexStringToByteArray(const QByteArray& text)
{
    return ModbusConsole::hexStringToBytes(text);
}

void MainWindow::Modbus_onReadButtonClicked(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode,
                                            int startAddress, int quantity, Quenlix_ModBus_Mode mode)
{
    Modbus_transaction(slaveId, functionCode, startAddress, quantity, QByteArray(), mode, false);
}

void MainWindow::Modbus_onWriteButtonClicked(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode,
                                             int startAddress, int quantity, QByteArray data,
                                             Quenlix_ModBus_Mode mode)
{
    Modbus_transaction(slaveId, functionCode, startAddress, quantity, data, mode, true);
}

// One request with up to three attempts; a complete reply ends the wait.
void MainWindow::Modbus_transaction(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode,
                                    int startAddress, int quantity, const QByteArray& data,
                                    Quenlix_ModBus_Mode mode, bool write)
{
    const bool rtu = mode == Quenlix_ModBus_RTU;
    QIODevice* device = Modbus_tcpSocket;
    if (rtu)
        device = Serial_thread ? Serial_thread->serialPort : nullptr;
    if (!device)
        return;
    const ModbusConsole::Timing timing = write ? (rtu ? ModbusConsole::writeSerial : ModbusConsole::writeTcp)
                                               : (rtu ? ModbusConsole::readSerial : ModbusConsole::readTcp);
    const QPointer<Quenlix_ModbusClient> engine = Modbus_engine();
    QByteArray request;
    const QByteArray reply = ModbusConsole::exchange(
        device, timing, mode,
        [&] {
            request = engine
                          ? engine->generateRequest(slaveId, functionCode, startAddress, quantity, mode, data)
                          : QByteArray();
            return request;
        },
        [this](const QByteArray& sent) { Modbus_log(false, sent); },
        [this](const QByteArray& stray, const QString& reason) {
            appendLogEntry(ui->Modbus_HexTextBrowser,
                           ModbusConsole::refusedEntryHtml(stray, QTime::currentTime(), reason));
        });
    if (reply.isEmpty())
        return;
    // Logged raw as received; a reply that fails the checks says why beside it.
    const QString reason =
        engine ? ModbusConsole::refusal(*engine, functionCode, request, reply, mode) : QString();
    if (reason.isEmpty())
        Modbus_log(true, reply);
    else
        appendLogEntry(ui->Modbus_HexTextBrowser,
                       ModbusConsole::refusedEntryHtml(reply, QTime::currentTime(), reason));
}

void MainWindow::Modbus_log(bool reply, const QByteArray& frame)
{
    appendLogEntry(reply ? ui->Modbus_HexTextBrowser : ui->Modbus_sendMsgtextEdit,
                   ModbusConsole::logEntryHtml(frame, QTime::currentTime()));
}

void MainWindow::actionModbus_revice_CleanData_triggered()
{
    ui->Modbus_HexTextBrowser->clear();
    ui->statusBar->showMessage(tr("Receive has been cleared"));
}

void MainWindow::actionModbus_send_CleanData_triggered()
{
    ui->Modbus_sendMsgtextEdit->clear();
    ui->statusBar->showMessage(tr("Send has been cleared"));
}
