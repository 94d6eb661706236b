// The shared serial port: port scan, the one-tab lock and the open/close
// procedure that every serial tab follows.
#include "app/mainwindow.h"

#include <utility>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "serial/portscan.h"
#include "serial/threadserial.h"

namespace {

int numberOf(const QComboBox* box)
{
    bool ok = false;
    const int value = box->currentText().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

MainWindow::SerialTabControls MainWindow::Serial_tabControls(SerialTab tab) const
{
    SerialTabControls c;
    switch (tab) {
    case SerialTab::Com:
        c = {ui->portNameComboBox,
             ui->baudRateComboBox,
             ui->opencompushButton,
             ui->dataBitsComboBox,
             ui->parityComboBox,
             ui->stopBitsComboBox,
             {},
             SLOT(readCom(QByteArray)),
             &MainWindow::actionOpen_triggered,
             &MainWindow::setComboBoxEnabled};
        break;
    case SerialTab::Gps:
        c = {ui->GPSportNameComboBox,
             ui->GPSbaudRateComboBox,
             ui->GPSopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {ui->GPSportMode_01, ui->GPSportMode_02},
             SLOT(readGPSCom(QByteArray)),
             &MainWindow::GPSactionOpen_triggered,
             &MainWindow::GPSsetComboBoxEnabled};
        break;
    case SerialTab::Gsm:
        c = {ui->GSMportNameComboBox,
             ui->GSMbaudRateComboBox,
             ui->GSMopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(GSMreadMyCom(QByteArray)),
             &MainWindow::GSMactionOpen_triggered,
             &MainWindow::GSMsetComboBoxEnabled};
        break;
    case SerialTab::Env:
        c = {ui->ENVportNameComboBox,
             ui->ENVbaudRateComboBox,
             ui->ENVopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readENVCom(QByteArray)),
             &MainWindow::ENVactionOpen_triggered,
             &MainWindow::ENVsetComboBoxEnabled};
        break;
    case SerialTab::Osc:
        c = {ui->OSCportNameComboBox,
             ui->OSCbaudRateComboBox,
             ui->OSCopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readOSCCom(QByteArray)),
             &MainWindow::OscilloscopeOpen_triggered,
             &MainWindow::OSCsetComboBoxEnabled,
             &MainWindow::OSC_clearBuffers};
        break;
    case SerialTab::Spectra:
        c = {ui->SpectraportNameComboBox,
             ui->SpectrabaudRateComboBox,
             ui->SpectraopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readSpectraCom(QByteArray)),
             &MainWindow::SpectraOpen_triggered,
             &MainWindow::SpectrasetsetComboBoxEnabled,
             &MainWindow::Spectra_clearBuffers};
        break;
    case SerialTab::I2cdump:
        c = {ui->i2cdumpportNameComboBox,
             ui->i2cdumpbaudRateComboBox,
             ui->i2cdumpopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readi2cdumpCom(QByteArray)),
             &MainWindow::I2CdumpOpen_triggered,
             &MainWindow::i2cdumpsetsetComboBoxEnabled};
        break;
    case SerialTab::Tof:
        c = {ui->TOFportNameComboBox,
             ui->TOFbaudRateComboBox,
             ui->TOFopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readTOFCom(QByteArray)),
             &MainWindow::TOFOpen_triggered,
             &MainWindow::TOFsetsetComboBoxEnabled,
             &MainWindow::TOF_clearBuffers};
        break;
    case SerialTab::Modbus:
        c = {ui->ModbusportNameComboBox,
             ui->ModbusbaudRateComboBox,
             ui->ModbusopencompushButton,
             ui->ModbusdataBitsComboBox,
             ui->ModbusparityComboBox,
             ui->ModbusstopBitsComboBox,
             {ui->ModbusportMode_1, ui->ModbusportMode_2},
             nullptr,
             &MainWindow::ModbusOpen_triggered,
             &MainWindow::ModbussetsetComboBoxEnabled};
        break;
    case SerialTab::Cie:
        c = {ui->CIEportNameComboBox,
             ui->CIEbaudRateComboBox,
             ui->CIEopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readCIECom(QByteArray)),
             &MainWindow::CIEOpen_triggered,
             &MainWindow::CIEsetsetComboBoxEnabled,
             &MainWindow::CIE_clearBuffers};
        break;
    case SerialTab::Imu:
        c = {ui->imuportNameComboBox,
             ui->imubaudRateComboBox,
             ui->imuopencompushButton,
             nullptr,
             nullptr,
             nullptr,
             {},
             SLOT(readimuCom(QByteArray)),
             &MainWindow::IMUOpen_triggered,
             &MainWindow::imusetsetComboBoxEnabled,
             &MainWindow::IMU_clearBuffers};
        break;
    }
    return c;
}

QList<QSerialPortInfo> MainWindow::getFilteredSerialPorts()
{
    QList<QSerialPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (PortScan::isListed(info.portName()))
            ports << info;
    }
    return ports;
}

void MainWindow::SerialSacn()
{
    QStringList names;
    for (const QSerialPortInfo& info : getFilteredSerialPorts())
        names << info.portName();
    Serial_applyScan(names);
}

void MainWindow::Serial_applyScan(const QStringList& available)
{
    QStringList current;
    for (int i = 0; i < ui->portNameComboBox->count(); ++i)
        current << ui->portNameComboBox->itemText(i);
    const QStringList added = PortScan::additions(current, available);
    const QStringList removed = PortScan::removals(current, available);
    for (int t = 0; t < serialTabCount; ++t) {
        QComboBox* list = Serial_tabControls(SerialTab(t)).portList;
        for (const QString& name : added)
            list->addItem(name);
        for (const QString& name : removed) {
            const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index >= 0)
                list->removeItem(index);
        }
    }
}

void MainWindow::SerialSacn_new()
{
    if (ToolSwitches::isOn(settings->value(QLatin1String(ToolSwitches::autoSerialScanKey))) &&
        Serial_deviceNames.changed())
        SerialSacn();
}

void MainWindow::stop_SerialSacn_new()
{
    if (Serial_scanTimer && Serial_scanTimer->isActive())
        Serial_scanTimer->stop();
}

bool MainWindow::testUart(QString) const
{
    return false;
}

void MainWindow::Serial_setLocked(SerialTab holder, bool enable)
{
    for (int t = 0; t < serialTabCount; ++t) {
        const SerialTabControls c = Serial_tabControls(SerialTab(t));
        c.portList->setEnabled(enable);
        c.baudList->setEnabled(enable);
        for (QComboBox* box : {c.dataBits, c.parity, c.stopBits}) {
            if (box)
                box->setEnabled(enable);
        }
        if (SerialTab(t) != holder)
            c.openButton->setEnabled(enable);
        else {
            for (QRadioButton* radio : c.modeRadios) {
                if (radio)
                    radio->setEnabled(enable);
            }
        }
    }
}

void MainWindow::Serial_openOrClose(SerialTab tab)
{
    if (Serial_isOpen)
        Serial_close(tab);
    else
        Serial_open(tab);
}

MainWindow::SerialOpenResult MainWindow::Serial_open(SerialTab tab)
{
    const SerialTabControls c = Serial_tabControls(tab);
    const QString name = c.portList->currentText();
    if (name.isEmpty())
        return SerialOpenResult::NoPort;
    auto* worker = new ThreadSerial;
    Serial_thread = worker;
    worker->portName = name;
    worker->baud = numberOf(c.baudList);
    worker->dataBits = c.dataBits ? numberOf(c.dataBits) : 8;
    worker->parityIndex = c.parity ? c.parity->currentIndex() : 0;
    worker->stopBitsIndex = c.stopBits ? c.stopBits->currentIndex() : 0;
    worker->Init(tab != SerialTab::Modbus);
    if (c.clearOnOpen)
        (this->*c.clearOnOpen)();
    if (c.receiveSlot)
        connect(worker, SIGNAL(Serial_read_Data(QByteArray)), this, c.receiveSlot);
    if (!worker->isOpen) {
        ui->statusBar->showMessage(tr("Serial failed to open, The serial does not exist or already used."));
        Serial_thread = nullptr;
        Serial_release(worker);
        return SerialOpenResult::Failed;
    }
    connect(worker, &ThreadSerial::portFailed, this,
            [this, worker, tab](const QString& text) { Serial_portFailed(worker, tab, text); });
    ui->statusBar->showMessage(tr("Serial opened"));
    c.openButton->setText(tr("Close"));
    (this->*c.lockMember)(false);
    Serial_isOpen = true;
    stop_SerialSacn_new();
    worker->start();
    c.openButton->setStyleSheet(QString::fromLatin1(Styles::activeButton));
    return SerialOpenResult::Opened;
}

void MainWindow::Serial_close(SerialTab tab)
{
    const SerialTabControls c = Serial_tabControls(tab);
    if (ThreadSerial* worker = Serial_thread) {
        disconnect(worker, nullptr, this, nullptr); // the receive slot and the failure report
        if (worker->serialPort)
            worker->serialPort->close();
        Serial_thread = nullptr;
        Serial_release(worker);
    }
    (this->*c.lockMember)(true);
    ui->statusBar->showMessage(tr("Serial closed"));
    c.openButton->setText(tr("Open"));
    c.openButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    Serial_isOpen = false;
    if (Serial_scanTimer)
        Serial_scanTimer->start(PortScan::intervalMs);
}

void MainWindow::Serial_shutDown()
{
    ThreadSerial* worker = std::exchange(Serial_thread, nullptr);
    if (!worker)
        return;
    worker->disconnect(this);
    if (worker->serialPort)
        worker->serialPort->close();
    delete worker; // waits for its (idle) thread before it goes
}

// The worker goes once its (idle) thread has finished, never while it runs.
void MainWindow::Serial_release(ThreadSerial* worker)
{
    worker->quit();
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    if (!worker->isRunning())
        worker->deleteLater();
}

void MainWindow::Serial_portFailed(ThreadSerial* worker, SerialTab tab, const QString& errorText)
{
    if (worker != Serial_thread || !Serial_isOpen)
        return;
    (this->*Serial_tabControls(tab).openSlot)(); // the holder's own close path
    ui->statusBar->showMessage(tr("Serial closed, the port failed: %1").arg(errorText));
}
