#include "app/mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QIODevice>
#include <QPointer>
#include <QSettings>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/endpoints.h"
#include "app/eventwait.h"
#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "protocols/quenlix_ble.h"
#include "serial/portscan.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tools/quenlix_convert.h"
#include "tools/quenlix_hex_tools.h"
#include "widgets/firstcurrent.h"
#include "widgets/mwaveview.h"

#include <QSerialPort>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);

    Serial_isOpen = false;
    UDP_isOpen = false;
    TCP_isOpen = false;
    MQTT_isConnected = false;
    GPS_calculateOpen = false;
    GPS_signalOpen = false;
    COM_expandOpen = false;
    helpOpen = false;
    Serial_thread = nullptr;
    TCP_serverClients.clear();
    GPS_fixValid = 0;
    GPS_tcpOpen = 0;
    GSM_tcpOpen = 0;
    GPS_lastMapUpdate = 0;
    toolCount = ToolSwitches::toolCount;
    I2Cdump_readOpen = false;
    I2Cdump_writeOpen = false;

    setWindowTitle(QStringLiteral("Quenlix -- PLAX Ver %1.%2.%3").arg(3).arg(4).arg(4) +
                   Endpoints::makerAddresses());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    setStyleSheet(QString::fromLatin1(Styles::background));

    const int keptCount = Config();
    Serial_deviceNames.changed(); // the rescan looks again only once these change
    SerialSacn();
    startInit();
    getLocalIP();

    for (int i = 0; i < keptCount; ++i)
        startTool(ui->tabWidget->tabText(i));

    // The web view joins the window only when "More" is first looked at (see onFirstCurrent).
    onFirstCurrent(ui->tabWidget, ui->tab_2, this, [this] {
        webView = new QWebEngineView(this);
        webView->load(QUrl(Endpoints::homePage(), QUrl::TolerantMode));
        ui->web_gridLayout->addWidget(webView);
        webView->settings()->setAttribute(QWebEngineSettings::LocalStorageEnabled, true);
        webView->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    });

    connect(ui->actionCheck_Update, SIGNAL(triggered()), this, SLOT(slotActionCheck_Update()));

    Serial_scanTimer = new QTimer(this);
    connect(Serial_scanTimer, SIGNAL(timeout()), this, SLOT(SerialSacn_new()));
    Serial_scanTimer->start(PortScan::intervalMs);
}

// Runs the start-up of the tool whose tab bears this English title.
void MainWindow::startTool(const QString& title)
{
    const int tool = ToolSwitches::tabTitles().indexOf(title);
    if (tool < 0)
        return;
    startedTools.append(title);
    switch (tool) {
    case ToolSwitches::Com:
        Serial_Init_Start();
        break;
    case ToolSwitches::Udp:
        UDP_Init_Start();
        break;
    case ToolSwitches::Tcp:
        TCP_Init_Start();
        break;
    case ToolSwitches::Gps:
        GPS_Init_Start();
        break;
    case ToolSwitches::Gsm:
        GSM_Init_Start();
        break;
    case ToolSwitches::Unicode:
        Unicode_Init_Start();
        break;
    case ToolSwitches::Environment:
        ENVironment_Init_Start();
        break;
    case ToolSwitches::Crypty:
        Crypty_Init_Start();
        break;
    case ToolSwitches::Oscilloscope:
        Oscilloscope_Init_Start();
        OSC_waveView = new MWaveView(nullptr);
        ui->gridLayout_oscilloscpewideget->addWidget(OSC_waveView);
        break;
    case ToolSwitches::Mqtt:
        Mqtt_Init_Start();
        break;
    case ToolSwitches::Ble:
        ui->gridLayout_36->addWidget(new quenlix_ble(this));
        break;
    case ToolSwitches::Spectra:
        Spectra_Init_Start();
        break;
    case ToolSwitches::Convert:
        ui->gridLayout_40->addWidget(new quenlix_convert(this));
        break;
    case ToolSwitches::I2cdump:
        I2Cdump_Init_Start();
        break;
    case ToolSwitches::Tof:
        TOF_Init_Start();
        break;
    case ToolSwitches::Modbus:
        Modbus_Init_Start();
        break;
    case ToolSwitches::Hex:
        ui->gridLayout_47->addWidget(new quenlix_hex_tools(this));
        break;
    case ToolSwitches::Cie:
        CIE_Init_Start();
        break;
    case ToolSwitches::Imu:
        IMU_Init_Start();
        break;
    }
}

MainWindow::~MainWindow()
{
    shutDownTools();
    delete ui;
    ui = nullptr;
}

// A socket, port or worker that ends while the window goes reports it (a closing WebSocket
// says "disconnected" from its destructor): by then nothing of the window may answer.
void MainWindow::shutDownTools()
{
    const QList<QObject*> descendants = findChildren<QObject*>();
    for (QObject* object : descendants)
        object->disconnect(this);
    for (QTimer* timer : findChildren<QTimer*>())
        timer->stop();
    // What is no child of the window.
    Serial_shutDown();
    GPS_signalStopWorker();
    MQTT_shutDown();
    // Sockets and ports close now, with no receiver left, rather than in the children's destructors.
    // Closing one may end another (its peer's handler deletes it): hold them by guarded pointers.
    QList<QPointer<QIODevice>> devices;
    for (QIODevice* device : findChildren<QIODevice*>())
        devices.append(device);
    for (const QPointer<QIODevice>& device : std::as_const(devices)) {
        if (device)
            device->close();
    }
}

void MainWindow::startInit()
{
    for (QWidget* w :
         {static_cast<QWidget*>(ui->delayspinBox), static_cast<QWidget*>(ui->sendmsgBtn),
          static_cast<QWidget*>(ui->sendfileBtn), static_cast<QWidget*>(ui->sendMsgtextEdit),
          static_cast<QWidget*>(ui->UDPdelayspinBox), static_cast<QWidget*>(ui->UDPsendmsgBtn),
          static_cast<QWidget*>(ui->UDPsendMsgtextEdit), static_cast<QWidget*>(ui->TCPdelayspinBox),
          static_cast<QWidget*>(ui->TCPsendmsgBtn), static_cast<QWidget*>(ui->TCPsendMsgtextEdit),
          static_cast<QWidget*>(ui->com_checkBox_DTR), static_cast<QWidget*>(ui->com_checkBox_RTS)})
        w->setEnabled(false);

    COM_sendInterval = TerminalFormat::sendIntervalMs;
    UDP_sendInterval = TerminalFormat::sendIntervalMs;
    TCP_sendInterval = TerminalFormat::sendIntervalMs;

    COM_sendTimer = new QTimer(this);
    UDP_sendTimer = new QTimer(this);
    TCP_sendTimer = new QTimer(this);
    connect(COM_sendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()));
    connect(UDP_sendTimer, SIGNAL(timeout()), this, SLOT(UDP_sendMsg()));
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::msleep(int ms)
{
    waitProcessingEvents(ms);
}

void MainWindow::setStyleSheets(QString qssFile)
{
    QFile file(qssFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    file.close();
}

void MainWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::resizeEvent(QResizeEvent*) {}
