// The "GPS Debug" tab: serial NMEA input, the TCP position server and the track file.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineView>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "gps/gpstrack.h"
#include "network/readon.h"
#include "serial/chunkdecoder.h"
#include "widgets/firstcurrent.h"
#include "widgets/framestatus.h"
#include "widgets/logview.h"

namespace {
// A client's address and port, kept for the texts about it: a socket forgets its peer once
// disconnected, and what the client sent before is still read after that.
const char peerAddressProperty[] = "plaxPeerAddress";
const char peerPortProperty[] = "plaxPeerPort";
} // namespace

void MainWindow::GPS_Init_Start()
{
    // The GPS tab works on a settings object of its own on the same file.
    settings = new QSettings(ToolSwitches::settingsFilePath(), QSettings::IniFormat, this);
    GPS_mapType = ToolSwitches::mapTypeFrom(settings->value(QLatin1String(ToolSwitches::mapTypeKey)));
    if (GPS_mapType != 1)
        ui->GPSpushButtonsearchdriving->hide();
    // The map joins the window when the tab is first looked at; positions wait for it.
    onFirstCurrent(ui->tabWidget, ui->gps, this, [this] { GPS_createMap(); });

    connect(ui->GPSTCPopencompushButton, &QPushButton::pressed, this,
            &MainWindow::GPSTCPopencompushButton_triggered);
    connect(ui->GPSportMode_01, &QRadioButton::pressed, this, &MainWindow::GPSPortModeChanged);
    connect(ui->GPSportMode_02, &QRadioButton::pressed, this, &MainWindow::GPSPortModeChanged);
    connect(ui->GPScleandatapushButton, &QPushButton::pressed, this, &MainWindow::GPSCleanData_triggered);
    connect(ui->GPSopencompushButton, SIGNAL(pressed()), this, SLOT(GPSactionOpen_triggered()));
    connect(ui->GPSpushButtonsearchdriving, &QPushButton::pressed, this,
            &MainWindow::GPSsearchdriving_triggered);
    connect(ui->GPStrochoidpushButton, &QPushButton::pressed, this,
            &MainWindow::GPStrochoidpushButton_triggered);
    connect(ui->GPScalculate, &QPushButton::pressed, this, &MainWindow::slotGPScalculate);
    connect(ui->GPSsignal, &QPushButton::pressed, this, &MainWindow::slotGPSsignal);

    ui->GPSportMode_01->setChecked(true);
    ui->GPSportMode_02->setChecked(false);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->GPSTCPServerIPcomboBox), static_cast<QWidget*>(ui->label_41),
          static_cast<QWidget*>(ui->GPSTCPServerPortlineEdit), static_cast<QWidget*>(ui->label_51),
          static_cast<QWidget*>(ui->GPSTCPopencompushButton)})
        w->hide();

    LogView::attach(ui->GPStextBrowser, 10000);

    for (QLabel* w : {ui->label_38, ui->label_37, ui->label_58, ui->BDKejianweixing, ui->GPSKejianweixing,
                      ui->Shiyongweixing})
        w->hide();
    ui->GPSopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::GPSactionOpen_triggered()
{
    if (Serial_isOpen) {
        disconnect(GPS_mapConnection);
        Serial_close(SerialTab::Gps);
        return;
    }
    if (Serial_open(SerialTab::Gps) != SerialOpenResult::Opened)
        return;
    GPS_rxBuffer.clear();
    GPS_decoder.resetState();
    disconnect(GPS_mapConnection);
    GPS_mapConnection =
        connect(this, &MainWindow::GPS_Signal_Map, this, &MainWindow::GPS_MAP, Qt::QueuedConnection);
}

void MainWindow::GPSsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Gps, enable);
}

void MainWindow::GPSPortModeChanged()
{
    const auto* radio = qobject_cast<QRadioButton*>(sender());
    if (!radio)
        return;
    const bool com = radio == ui->GPSportMode_01;
    for (QWidget* w :
         {static_cast<QWidget*>(ui->label_23), static_cast<QWidget*>(ui->label_24),
          static_cast<QWidget*>(ui->GPSopencompushButton), static_cast<QWidget*>(ui->GPSbaudRateComboBox),
          static_cast<QWidget*>(ui->GPSportNameComboBox)})
        w->setVisible(com);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->GPSTCPServerIPcomboBox), static_cast<QWidget*>(ui->label_41),
          static_cast<QWidget*>(ui->GPSTCPServerPortlineEdit), static_cast<QWidget*>(ui->label_51),
          static_cast<QWidget*>(ui->GPSTCPopencompushButton)})
        w->setVisible(!com);
    ui->GPSportMode_01->setChecked(com);
    ui->GPSportMode_02->setChecked(!com);
}

void MainWindow::GPSCleanData_triggered()
{
    ui->GPStextBrowser->clear();
    ui->statusBar->showMessage(tr("Receive has been cleared"));
}

void MainWindow::readGPSCom(QByteArray data)
{
    // Logged first: the processing below runs the event loop, and a later chunk must not overtake this one.
    LogView::of(ui->GPStextBrowser)->append(GPS_decoder.decode(data));
    GPS_Analysis_Data_Process(data);
    QCoreApplication::processEvents();
    if (GPS_fixValid == 1) {
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        if (now - GPS_lastMapUpdate > 10) {
            GPS_lastMapUpdate = now;
            const QString latitude = GpsTrack::signedDegrees(ui->Weidu->text(), ui->Weidufangxiang->text());
            const QString longitude =
                GpsTrack::signedDegrees(ui->Jingdu->text(), ui->Jingdufangxiang->text());
            if (ui->GPSSavecheckBox->isChecked())
                GPSSavefile(latitude, longitude);
            GPS_fixValid = 0;
            emit GPS_Signal_Map(ui->GPS_on_off_checkBox->isChecked());
        }
    }
    if (data.isEmpty())
        return;
    FrameStatus::show(ui->statusBar, tr("Successfully read %1 byte data").arg(data.size()));
}

void MainWindow::GPSSavefile(QString latitude, QString longitude)
{
    if (latitude == QLatin1String("0.000000") && longitude == QLatin1String("0.000000"))
        return;
    if (!GpsTrack::isPosition({latitude, longitude}))
        return;
    QFile file(QDir::homePath() + QStringLiteral("/GPS_Date.txt"));
    const QByteArray line = GpsTrack::line(latitude, longitude);
    // The track tells where the user has been: a new file is readable by the user alone.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text,
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                         file.write(line) == line.size() && file.flush();
    if (!written)
        ui->statusBar->showMessage(tr("Unable to save GPS data.") + QLatin1Char('\n') + file.errorString());
}

void MainWindow::GPSTCPopencompushButton_triggered()
{
    if (GPS_tcpOpen == 0) {
        GPSTCP_Server_WorkOpen();
        ui->GPSTCPopencompushButton->setText(tr("Stop"));
        GPS_tcpOpen = 1;
    } else {
        GPSTCP_Server_WorkClose();
        ui->GPSTCPopencompushButton->setText(tr("Start"));
        GPS_tcpOpen = 0;
    }
}

bool MainWindow::GPSTCP_Server_WorkOpen()
{
    const QString text = ui->GPSTCPServerPortlineEdit->text();
    if (text.isEmpty()) {
        QMessageBox::warning(this, tr("warning:"), tr("Port is empty!"));
        return false;
    }
    if (!GPS_tcpServer)
        return false;
    bool ok = false;
    const uint port = text.trimmed().toUInt(&ok);
    if (!ok || port > 65535) {
        ui->statusBar->showMessage(tr("Server failed to start: %1").arg(tr("invalid port")));
        return false;
    }
    if (!GPS_tcpServer->listen(QHostAddress::Any, quint16(port))) {
        ui->statusBar->showMessage(tr("Server failed to start: %1").arg(GPS_tcpServer->errorString()));
        return false;
    }
    ui->GPSTCPServerPortlineEdit->setEnabled(false);
    ui->GPSTCPServerIPcomboBox->setEnabled(false);
    connect(GPS_tcpServer, &QTcpServer::newConnection, this, &MainWindow::GPSupdateserver,
            Qt::UniqueConnection);
    ui->statusBar->showMessage(tr("Server has started"));
    return true;
}

void MainWindow::GPSTCP_Server_WorkClose()
{
    for (QTcpSocket* client : std::as_const(GPS_tcpClients)) {
        disconnect(client, nullptr, this, nullptr);
        client->close();
        client->deleteLater();
    }
    if (GPS_tcpServer)
        GPS_tcpServer->close();
    ui->statusBar->showMessage(tr("Server has stopped"));
    GPS_tcpClients.clear();
    GPS_tcpBuffers.clear();
    ui->GPSTCPServerPortlineEdit->setEnabled(true);
    ui->GPSTCPServerIPcomboBox->setEnabled(true);
}

void MainWindow::GPSupdateserver()
{
    while (QTcpSocket* client = GPS_tcpServer->nextPendingConnection()) {
        const QString address = client->peerAddress().toString();
        ui->statusBar->showMessage(tr("New client: ") + tr("%1 Joined").arg(address));
        if (address.isEmpty()) {
            client->disconnectFromHost();
            client->deleteLater();
            continue;
        }
        GPS_tcpClients.append(client);
        client->setProperty(peerAddressProperty, address);
        client->setProperty(peerPortProperty, client->peerPort());
        connect(client, &QTcpSocket::disconnected, this, &MainWindow::GPSupdateSendStatus);
        connect(client, &QTcpSocket::readyRead, this, &MainWindow::GPSTCP_Server_ReadMessage);
    }
}

void MainWindow::GPSupdateSendStatus()
{
    if (auto* client = qobject_cast<QTcpSocket*>(sender()))
        GPSTCP_Server_clientGone(client);
}

// A client that went may leave what it sent in its socket's buffer: that is read on, a slice
// at a time as ever, and the client goes once all of it is read.
void MainWindow::GPSTCP_Server_clientGone(QTcpSocket* client)
{
    if (client->bytesAvailable() > 0) {
        ReadOn::schedule(client, [client] { emit client->readyRead(); });
        return;
    }
    ui->statusBar->showMessage(tr("Client: ") +
                               tr("%1 Left").arg(client->property(peerAddressProperty).toString()));
    GPS_tcpClients.removeOne(client);
    GPS_tcpBuffers.remove(client); // a line it left unfinished dies with it
    disconnect(client, nullptr, this, nullptr);
    client->close();
    client->deleteLater();
}

void MainWindow::GPSTCP_Server_ReadMessage()
{
    auto* client = qobject_cast<QTcpSocket*>(sender());
    // While a follow-up waits, it does the reading.
    if (!client || ReadOn::pending(client))
        return;
    // A flood is taken a slice at a time, the rest on a later turn of the event loop, so the
    // window keeps drawing and answering between slices.
    constexpr qint64 readSlice = 64 * 1024;
    const QByteArray data = client->read(readSlice);
    if (client->bytesAvailable() > 0)
        ReadOn::schedule(client, [client] { emit client->readyRead(); });
    // Every line is shown and recorded; the map moves once per read, to the newest position.
    bool moved = false;
    for (const QByteArray& line : GpsTrack::takeLines(GPS_tcpBuffers[client], data))
        moved = GPSTCP_Server_ReadLine(line) || moved;
    if (moved)
        GPS_moveMapPaced(ui->GPS_on_off_checkBox->isChecked());
    ui->statusBar->showMessage(tr("TCP receive ") + tr("from:%1:%2")
                                                        .arg(client->property(peerAddressProperty).toString())
                                                        .arg(client->property(peerPortProperty).toUInt()));
    // Each client's own decoder: a character cut between two of its packets is joined.
    LogView::of(ui->GPStextBrowser)->append(ChunkDecoder::of(client)->decode(data, false));
    if (client->state() == QAbstractSocket::UnconnectedState && client->bytesAvailable() == 0)
        GPSTCP_Server_clientGone(client);
}

// One whole position line from a client: shown and recorded; false when it held no position.
bool MainWindow::GPSTCP_Server_ReadLine(const QByteArray& line)
{
    const auto position = GpsTrack::parse(QString::fromUtf8(line));
    if (!position || !GpsTrack::isPosition(*position))
        return false;
    // The labels hold unsigned degrees beside their hemisphere, as for the receiver.
    const auto [latitudeText, northSouth] =
        GpsTrack::splitDegrees(position->latitude, QStringLiteral("N"), QStringLiteral("S"));
    const auto [longitudeText, eastWest] =
        GpsTrack::splitDegrees(position->longitude, QStringLiteral("E"), QStringLiteral("W"));
    ui->Weidu->setText(latitudeText);
    ui->Weidufangxiang->setText(northSouth);
    ui->Jingdu->setText(longitudeText);
    ui->Jingdufangxiang->setText(eastWest);
    const QString latitude = GpsTrack::signedDegrees(latitudeText, northSouth);
    const QString longitude = GpsTrack::signedDegrees(longitudeText, eastWest);
    if (ui->GPSSavecheckBox->isChecked())
        GPSSavefile(latitude, longitude);
    GPS_fixValid = 0;
    ui->Haibagaodu->setText(QStringLiteral("Null"));
    return true;
}
