#include <QAction>
#include <QColor>
#include <QCursor>
#include <QIntValidator>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/settingsfile.h"
#include "app/styles.h"
#include "app/toolswitches.h"
#include "protocols/mqtt_console.h"
#include "protocols/websocketiodevice.h"
#include "tools/documenttext.h"
#include "widgets/logview.h"

namespace {

// Longest wait for a WebSocket to come up; the MQTT client bounds its own handshake.
constexpr int webSocketOpenTimeoutMs = 20000;

const QString schemeMqtt = QStringLiteral("mqtt://");
const QString schemeMqtts = QStringLiteral("mqtts://");
const QString schemeWs = QStringLiteral("ws://");
const QString schemeWss = QStringLiteral("wss://");

MqttFields fieldsFromPage(const Ui_MainWindow* ui)
{
    MqttFields f;
    f.protocol = ui->mqtt_protocol_combox->currentIndex();
    f.host = ui->mqtt_host_lineEdit->text();
    f.port = ui->mqtt_port_lineEdit->text();
    f.username = ui->mqtt_username_lineEdit->text();
    f.password = ui->mqtt_password_lineEdit->text();
    f.clientId = ui->mqtt_clientid_lineEdit->text();
    f.subTopic = ui->mqtt_subscribe_lineEdit->text();
    f.pubTopic = ui->mqtt_publish_lineEdit->text();
    return f;
}

QSslConfiguration unverifiedTls()
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

} // namespace

void MainWindow::Mqtt_Init_Start()
{
    ui->mqtt_port_lineEdit->setValidator(new QIntValidator(1, 65535, ui->mqtt_port_lineEdit));
    ui->mqtt_textEdit->setReadOnly(true);
    // A flooding broker must not grow the log without end: keep the newest lines.
    LogView::attach(ui->mqtt_textEdit, MqttLogMaxLines);
    QSettings file(ToolSwitches::settingsFilePath(), QSettings::IniFormat);
    const MqttFields f = loadMqttFields(file);
    const bool knownScheme = f.protocol >= 0 && f.protocol < ui->mqtt_protocol_combox->count();
    ui->mqtt_protocol_combox->setCurrentIndex(knownScheme ? f.protocol : 0);
    ui->mqtt_username_lineEdit->setText(f.username);
    ui->mqtt_password_lineEdit->setText(f.password);
    ui->mqtt_host_lineEdit->setText(f.host);
    ui->mqtt_port_lineEdit->setText(f.port);
    ui->mqtt_clientid_lineEdit->setText(f.clientId);
    ui->mqtt_subscribe_lineEdit->setText(f.subTopic);
    ui->mqtt_publish_lineEdit->setText(f.pubTopic);
    ui->mqtt_textEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->mqtt_textEdit, &QWidget::customContextMenuRequested, this, &MainWindow::MQTT_slot_textmenu);
    connect(ui->mqtt_opencompushButton, &QPushButton::pressed, this, &MainWindow::actionMQTT_Open_triggered);
    connect(ui->mqtt_save_pushButton, &QPushButton::pressed, this, &MainWindow::actionMQTT_Save_triggered);
    ui->mqtt_opencompushButton->setStyleSheet(Styles::idleButton);
}

void MainWindow::actionMQTT_Open_triggered()
{
    MQTT_Connect();
}

void MainWindow::MQTT_Connect()
{
    if (MQTT_isConnected) {
        if (MQTT_client)
            MQTT_client->disconnectFromHost();
        MQTT_setIdle();
        return;
    }
    // "MQTT Connected" waits for the broker's answer (MQTT_Get_Status).
    ui->mqtt_opencompushButton->setText(tr("Disconnect"));
    ui->mqtt_opencompushButton->setStyleSheet(Styles::activeButton);
    MQTT_isConnected = true;
    MQTT_releaseConnection();
    MQTT_client = new MqttClient(this);
    const QString scheme = ui->mqtt_protocol_combox->currentText();
    const QString host = ui->mqtt_host_lineEdit->text();
    const QString port = ui->mqtt_port_lineEdit->text();
    if (scheme == schemeMqtt || scheme == schemeMqtts) {
        MQTT_client->setHostname(host);
        MQTT_client->setPort(mqttPortFromText(port));
        MQTT_attachClient();
        if (scheme == schemeMqtt)
            MQTT_client->connectToHost();
        else
            MQTT_client->connectToHostEncrypted(unverifiedTls());
    } else if (scheme == schemeWs || scheme == schemeWss) {
        auto* device = new WebSocketIODevice(this);
        MQTT_webSocket = device;
        if (scheme == schemeWss) {
            device->setSslConfiguration(unverifiedTls());
            device->sslEnabled = true;
        }
        device->setUrl(QUrl(mqttWebSocketUrl(scheme, host, port), QUrl::TolerantMode));
        device->setProtocol("mqttv3.1");
        MQTT_socketLinks << connect(&device->webSocket, &QWebSocket::disconnected, this,
                                    &MainWindow::onWebSocketDisconnected);
        MQTT_socketLinks << connect(&device->webSocket,
                                    QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error), this,
                                    &MainWindow::onWebSocketError);
        MQTT_socketLinks << connect(device, &WebSocketIODevice::socketConnected, this,
                                    &MainWindow::MQTT_startOverWebSocket);
        QTimer::singleShot(webSocketOpenTimeoutMs, device, [this, device] {
            if (device == MQTT_webSocket && !MQTT_socketLinks.isEmpty() &&
                device->webSocket.state() != QAbstractSocket::ConnectedState)
                onWebSocketError(QAbstractSocket::SocketTimeoutError);
        });
        device->open(QIODevice::ReadWrite);
    }
}

void MainWindow::MQTT_startOverWebSocket()
{
    if (!MQTT_client || !MQTT_webSocket)
        return;
    MQTT_client->setProtocolVersion(MqttClient::MQTT_3_1);
    MQTT_client->setTransport(MQTT_webSocket, MqttClient::IODevice);
    MQTT_attachClient();
    MQTT_client->connectToHost();
}

void MainWindow::MQTT_attachClient()
{
    MQTT_client->setClientId(ui->mqtt_clientid_lineEdit->text());
    MQTT_client->setUsername(ui->mqtt_username_lineEdit->text());
    MQTT_client->setPassword(ui->mqtt_password_lineEdit->text());
    MQTT_clientLinks << connect(MQTT_client, &MqttClient::stateChanged, this, &MainWindow::MQTT_Get_Status);
    MQTT_clientLinks << connect(ui->mqtt_subscribed_pushButton, &QPushButton::pressed, this,
                                &MainWindow::Quenlix_Mqtt_on_sub_clicked);
    MQTT_clientLinks << connect(ui->mqtt_publish_pushButton, &QPushButton::pressed, this,
                                &MainWindow::Quenlix_Mqtt_on_pub_clicked);
    MQTT_clientLinks << connect(MQTT_client, &MqttClient::messageReceived, this,
                                &MainWindow::Quenlix_Mqtt_onMessage);
}

void MainWindow::MQTT_detach(QList<QMetaObject::Connection>& links)
{
    for (const QMetaObject::Connection& link : std::as_const(links))
        disconnect(link);
    links.clear();
}

void MainWindow::MQTT_setIdle()
{
    ui->mqtt_opencompushButton->setText(tr("Connect"));
    MQTT_isConnected = false;
    MQTT_detach(MQTT_clientLinks);
    // The WebSocket ends with the connection, so that its late closing cannot reach a newer one.
    MQTT_detach(MQTT_socketLinks);
    if (MQTT_webSocket && MQTT_webSocket->isOpen())
        MQTT_webSocket->close();
    statusBar()->showMessage(tr("MQTT was disconnected."), 0);
    ui->mqtt_opencompushButton->setStyleSheet(Styles::idleButton);
}

void MainWindow::MQTT_releaseConnection()
{
    MQTT_detach(MQTT_clientLinks);
    MQTT_detach(MQTT_socketLinks);
    if (MQTT_client) {
        MQTT_client->disconnectFromHost();
        MQTT_client->deleteLater();
        MQTT_client = nullptr;
    }
    if (MQTT_webSocket) {
        if (MQTT_webSocket->isOpen())
            MQTT_webSocket->close();
        MQTT_webSocket->deleteLater();
        MQTT_webSocket = nullptr;
    }
}

void MainWindow::MQTT_shutDown()
{
    if (MQTT_webSocket)
        MQTT_webSocket->webSocket.disconnect(this);
    MQTT_releaseConnection(); // cuts the client and the socket off first
}

void MainWindow::MQTT_Get_Status(MqttClient::ClientState state)
{
    if (state == MqttClient::Connected) {
        statusBar()->showMessage(tr("MQTT Connected"), 0);
    } else if (state == MqttClient::Disconnected) {
        // A connection the client ended itself (a refused or oversized packet) says why in the log.
        // Behind the messages still waiting to be shown.
        if (MQTT_client && MQTT_client->error() != MqttClient::NoError)
            LogView::of(ui->mqtt_textEdit)
                ->appendLine(tr("MQTT was disconnected: %1").arg(MQTT_client->errorString()));
        if (MQTT_client)
            MQTT_client->disconnectFromHost();
        MQTT_setIdle();
    }
}

void MainWindow::onWebSocketDisconnected()
{
    // A message the WebSocket refused ends the connection as an oversized packet does: the log says why.
    const QString refusal = MQTT_webSocket ? MQTT_webSocket->refusalReason() : QString();
    if (!refusal.isEmpty())
        LogView::of(ui->mqtt_textEdit)->appendLine(tr("MQTT was disconnected: %1").arg(refusal));
    MQTT_setIdle();
}

void MainWindow::onWebSocketError(QAbstractSocket::SocketError error)
{
    Q_UNUSED(error);
    MQTT_detach(MQTT_socketLinks);
    if (MQTT_webSocket)
        MQTT_webSocket->close();
    onWebSocketDisconnected();
}

void MainWindow::Quenlix_Mqtt_on_sub_clicked()
{
    if (!MQTT_client || MQTT_client->state() != MqttClient::Connected) {
        statusBar()->showMessage(tr("MQTT was not connected."), 0);
        return;
    }
    const QString topic = mqttSubscribeTopic(ui->mqtt_subscribe_lineEdit->text());
    MqttSubscription* sub = MQTT_client->subscribe(MqttTopicFilter(topic), 0);
    if (!sub)
        return;
    // Success is what the broker grants, not what was asked.
    auto report = [this, topic](MqttSubscription::SubscriptionState state) {
        if (state == MqttSubscription::Subscribed)
            statusBar()->showMessage(tr("Topic:%1 was subcribed success.").arg(topic), 0);
        else if (state == MqttSubscription::Error)
            statusBar()->showMessage(tr("Topic:%1 was not subscribed.").arg(topic), 0);
    };
    if (sub->state() == MqttSubscription::Subscribed)
        report(MqttSubscription::Subscribed);
    else
        connect(sub, &MqttSubscription::stateChanged, this, report);
}

void MainWindow::Quenlix_Mqtt_on_pub_clicked()
{
    if (!MQTT_client)
        return;
    MQTT_client->publish(MqttTopicName(ui->mqtt_publish_lineEdit->text()),
                         rawDocumentText(ui->mqtt_pub_textEdit->document()).toUtf8(), 0, false);
}

void MainWindow::Quenlix_Mqtt_onMessage(const QByteArray& message, const MqttTopicName& topic)
{
    // Text runs in their colours: a large payload read as markup would hold up the window.
    LogView* log = LogView::of(ui->mqtt_textEdit);
    log->startLine();
    for (const MqttLogPiece& piece : mqttLogLine(QTime::currentTime(), topic.name(), message)) {
        QTextCharFormat format;
        if (!piece.colour.isEmpty())
            format.setForeground(QColor(piece.colour));
        log->append(piece.text, format);
    }
}

void MainWindow::actionMQTT_Save_triggered()
{
    QSettings file(ToolSwitches::settingsFilePath(), QSettings::IniFormat);
    saveMqttFields(file, fieldsFromPage(ui));
    const QString error = SettingsFile::save(file);
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("MQTT"), SettingsFile::failureText(file.fileName(), error));
}

void MainWindow::MQTT_slot_textmenu(QPoint pos)
{
    Q_UNUSED(pos);
    auto* menu = new QMenu(ui->mqtt_textEdit);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* clear = menu->addAction(tr("Clear"));
    connect(clear, &QAction::triggered, this, &MainWindow::MQTT_Sub_Edit_Clear);
    menu->popup(QCursor::pos());
}

void MainWindow::MQTT_Sub_Edit_Clear()
{
    ui->mqtt_textEdit->clear();
}
