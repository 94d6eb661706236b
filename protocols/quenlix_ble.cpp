#include "protocols/quenlix_ble.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/styles.h"
#include "protocols/CharacteristicWidget.h"
#include "protocols/blehex.h"
#include "protocols/quenlix_ble_form.h"

namespace {

const char connectedButtonStyle[] = "QPushButton {   background-color: #FF5722;   color: white;   "
                                    "font-weight: bold;}QPushButton:pressed {   background-color: #E64A19;}";
const char deviceButtonStyle[] = "QPushButton {   border: 2px solid #1E88E5;   border-radius: 5px;   "
                                 "padding: 8px;   background-color: #42A5F5;   color: white;   "
                                 "font-weight: bold;}QPushButton:pressed {   background-color: #1E88E5;}";
const char titleButtonStyle[] =
    "QToolButton {   background-color: transparent;   border: none;   color: blue;   "
    "font-size: 13px;   font-weight: bold;   text-align: left;}QToolButton:hover {   "
    "color: #007acc;}QToolButton:pressed {   color: #005f99;}";
const char serviceGroupStyle[] = "QGroupBox { background-color: white; } QGroupBox::title { font-size: 13px; "
                                 "font-weight: bold; color: black; }";
const char deviceIcon[] = ":/images/ble.png";

} // namespace

quenlix_ble::quenlix_ble(QWidget* parent) : quenlix_ble(nullptr, parent) {}

quenlix_ble::quenlix_ble(std::unique_ptr<BleBackend> backend, QWidget* parent)
    : QWidget(parent), ui(new Ui_quenlix_ble), m_device(std::move(backend))
{
    ui->setupUi(this);
    // Names and error texts come from devices: shown as they are, never as markup.
    ui->label_device->setTextFormat(Qt::PlainText);
    m_deviceLayout = new QVBoxLayout(ui->groupBox);

    connect(ui->scanButton, &QPushButton::clicked, this, &quenlix_ble::onScanButtonClicked);
    connect(&m_device, &Device::devicesUpdated, this, &quenlix_ble::devicesUpdated);
    connect(&m_device, &Device::connected, this, &quenlix_ble::onServiceScanDone);
    connect(&m_device, &Device::disconnected, this, &quenlix_ble::onServiceDisconnected);
    connect(&m_device, &Device::characteristicValueRead, this, &quenlix_ble::onCharacteristicValueRead);
    connect(&m_device, &Device::characteristicValueChanged, this, &quenlix_ble::onCharacteristicValueRead);
    connect(&m_device, &Device::characteristics_GetDone, this, &quenlix_ble::onCharacteristicsGetDone);
    connect(&m_device, &Device::serviceError, this, [this](const QString& service, const QString& message) {
        if (CharacteristicWidget* panel = m_panels.value(service))
            panel->showProblem(message);
    });
    connect(&m_device, &Device::serviceSucceeded, this, [this](const QString& service) {
        if (CharacteristicWidget* panel = m_panels.value(service))
            panel->showProblem(QString());
    });
    connect(&m_device, &Device::notifyStateChanged, this,
            [this](const QString& service, const QString& characteristic, bool subscribed) {
                if (CharacteristicWidget* panel = m_panels.value(service))
                    panel->setNotifyState(characteristic, subscribed);
            });
    // A scan also ends by itself (time-out, missing or switched-off adapter).
    connect(&m_device, &Device::stateChanged, this, &quenlix_ble::onDiscoveryStateChanged);

    ui->scanButton->setStyleSheet(QLatin1String(Styles::idleButton));
    setStyleSheet(QString::fromLatin1(Styles::background));
}

quenlix_ble::~quenlix_ble()
{
    delete ui;
}

void quenlix_ble::setButtonState(ButtonState state)
{
    m_buttonState = state;
    switch (state) {
    case ButtonState::Scan:
        ui->scanButton->setText(QCoreApplication::translate("quenlix_ble", "Scan"));
        ui->scanButton->setStyleSheet(QLatin1String(Styles::idleButton));
        ui->groupBox_device->setEnabled(true);
        break;
    case ButtonState::Stop:
        ui->scanButton->setText(QStringLiteral("Stop"));
        ui->scanButton->setStyleSheet(QLatin1String(Styles::activeButton));
        break;
    case ButtonState::Disconnect:
        ui->scanButton->setText(QStringLiteral("Disconnect"));
        ui->scanButton->setStyleSheet(QLatin1String(connectedButtonStyle));
        ui->groupBox_device->setEnabled(false);
        break;
    }
}

void quenlix_ble::onScanButtonClicked()
{
    switch (m_buttonState) {
    case ButtonState::Scan:
        clearDeviceButtons();
        // Before starting: a scan that fails at once returns the button to "Scan".
        setButtonState(ButtonState::Stop);
        m_device.startDeviceDiscovery();
        break;
    case ButtonState::Stop:
        setButtonState(ButtonState::Scan);
        m_device.stopDeviceDiscovery();
        break;
    case ButtonState::Disconnect:
        setButtonState(ButtonState::Scan);
        m_device.stopDeviceDiscovery();
        m_device.disconnectFromDevice();
        break;
    }
}

void quenlix_ble::onDiscoveryStateChanged()
{
    if (m_device.state() || m_buttonState != ButtonState::Stop)
        return;
    setButtonState(ButtonState::Scan);
    QString message = m_device.getUpdate();
    if (!m_device.scanErrorString().isEmpty())
        message += QLatin1Char('\n') + m_device.scanErrorString();
    ui->label_device->setText(message);
}

void quenlix_ble::clearDeviceButtons()
{
    for (QPushButton* button : std::as_const(m_deviceButtons)) {
        m_deviceLayout->removeWidget(button);
        delete button;
    }
    m_deviceButtons.clear();
}

void quenlix_ble::devicesUpdated()
{
    const auto devices = qvariant_cast<QList<DeviceInfo*>>(m_device.getDevices());
    for (const DeviceInfo* device : devices) {
        const QString address = device->getAddress();
        if (m_deviceButtons.contains(address))
            continue;
        auto* button =
            new QPushButton(device->getName() + QStringLiteral("\n(") + address + QLatin1Char(')'));
        button->setIcon(QIcon(QLatin1String(deviceIcon)));
        button->setIconSize(QSize(32, 32));
        button->setStyleSheet(QLatin1String(deviceButtonStyle));
        connect(button, &QPushButton::clicked, this, &quenlix_ble::onDeviceButtonClicked);
        m_deviceButtons.insert(address, button);
        m_deviceLayout->addWidget(button);
    }
}

void quenlix_ble::onDeviceButtonClicked()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    // The address the button was made for: a name may itself hold parentheses.
    const QString address = m_deviceButtons.key(button);
    const auto devices = qvariant_cast<QList<DeviceInfo*>>(m_device.getDevices());
    const bool known = std::any_of(devices.cbegin(), devices.cend(),
                                   [&](const DeviceInfo* d) { return d->getAddress() == address; });
    if (address.isEmpty() || !known)
        return;

    m_device.stopDeviceDiscovery();
    m_currentAddress = address;
    m_device.scanServices(address);

    ui->label_device->setText(button->text().remove(QLatin1Char('\n')));
    QPalette palette = ui->label_device->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, QColor(Qt::darkBlue));
    ui->label_device->setPalette(palette);
    QFont font = ui->label_device->font();
    font.setWeight(QFont::Bold);
    ui->label_device->setFont(font);

    setButtonState(ButtonState::Disconnect);
}

void quenlix_ble::onServiceScanDone()
{
    QList<QPointer<QObject>> old;
    for (QObject* child : ui->groupBox_ServiceUUID->children())
        old.append(child);
    for (const QPointer<QObject>& child : std::as_const(old))
        delete child.data();
    ui->gridLayout_3 = nullptr;
    m_panels.clear();
    m_titleGroups.clear();
    m_characteristicOwners.clear();

    auto* serviceLayout = new QVBoxLayout(ui->groupBox_ServiceUUID);
    const auto services = qvariant_cast<QList<ServiceInfo*>>(m_device.getServices());
    for (const ServiceInfo* service : services) {
        const QString uuid = service->getUuid();
        auto* group = new QGroupBox();
        auto* title = new QPushButton(QStringLiteral("Service name: ") + service->getName() +
                                          QStringLiteral("\nService UUID: ") + uuid,
                                      ui->groupBox_ServiceUUID);
        title->setFlat(true);
        title->setStyleSheet(QLatin1String(titleButtonStyle));
        serviceLayout->addWidget(title);
        m_titleGroups.insert(title, group);
        connect(title, &QPushButton::clicked, this, &quenlix_ble::onTitleButtonClicked);

        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->setContentsMargins(0, 0, 0, 0);
        group->setStyleSheet(QLatin1String(serviceGroupStyle));
        serviceLayout->addWidget(group);
        auto* panel = new CharacteristicWidget(uuid, group);
        groupLayout->addWidget(panel);
        m_panels.insert(uuid, panel);
        connect(panel, &CharacteristicWidget::readCharacteristicRequested, this,
                &quenlix_ble::onReadCharacteristicRequested);
        connect(panel, &CharacteristicWidget::notifyCharacteristicRequested, this,
                &quenlix_ble::onNotifyCharacteristicRequested);
        connect(panel, &CharacteristicWidget::writeCharacteristicRequested, this,
                &quenlix_ble::onWriteCharacteristicRequested);

        // Last: the details may be reported before this call returns.
        m_device.connectToService(uuid);
    }
}

void quenlix_ble::onTitleButtonClicked()
{
    auto* title = qobject_cast<QPushButton*>(sender());
    QGroupBox* group = m_titleGroups.value(title);
    if (group)
        group->setVisible(!group->isVisible());
}

void quenlix_ble::onCharacteristicsGetDone(const QString& serviceUuid,
                                           const QList<CharacteristicInfo*>& characteristics)
{
    CharacteristicWidget* panel = m_panels.value(serviceUuid);
    if (!panel)
        return;
    for (const CharacteristicInfo* c : characteristics) {
        if (c->serviceUuid != serviceUuid)
            continue;
        const QString uuid = c->getUuid();
        m_characteristicOwners.insert(uuid, serviceUuid);
        panel->setCharacteristicInfo(c->getName(), uuid, QString(), c->getPermission());
    }
}

QString quenlix_ble::serviceOfRequest(const QString& characteristicUuid) const
{
    if (auto* panel = qobject_cast<CharacteristicWidget*>(sender())) {
        const QString service = m_panels.key(panel);
        if (!service.isEmpty())
            return service;
    }
    return m_characteristicOwners.value(characteristicUuid);
}

void quenlix_ble::onReadCharacteristicRequested(const QString& uuid)
{
    const QString service = serviceOfRequest(uuid);
    if (!service.isEmpty())
        m_device.readCharacteristic(service, uuid);
}

void quenlix_ble::onWriteCharacteristicRequested(const QString& uuid, const QString& data, bool isHex)
{
    const QString service = serviceOfRequest(uuid);
    if (service.isEmpty())
        return;
    QByteArray bytes;
    if (isHex) {
        const std::optional<QByteArray> parsed = BleHex::parse(data);
        if (!parsed)
            return;
        bytes = *parsed;
    } else {
        bytes = data.toUtf8();
    }
    m_device.writeCharacteristic(service, uuid, bytes);
}

void quenlix_ble::onNotifyCharacteristicRequested(const QString& uuid, bool subscribe)
{
    const QString service = serviceOfRequest(uuid);
    if (service.isEmpty())
        return;
    if (!subscribe) {
        m_device.unsubscribeFromNotify(service, uuid);
        return;
    }
    if (!m_device.subscribeToNotify(service, uuid)) {
        if (CharacteristicWidget* panel = m_panels.value(service))
            panel->setNotifyState(uuid, false);
    }
}

void quenlix_ble::onCharacteristicValueRead(const QString& characteristicUuid,
                                            const QByteArray& characteristicValue, const QString& serviceUuid)
{
    const QString service =
        serviceUuid.isEmpty() ? m_characteristicOwners.value(characteristicUuid) : serviceUuid;
    if (CharacteristicWidget* panel = m_panels.value(service))
        panel->updateCharacteristicValue(characteristicUuid, characteristicValue);
}

void quenlix_ble::onServiceDisconnected()
{
    if (m_buttonState == ButtonState::Disconnect) {
        setButtonState(ButtonState::Scan);
        m_device.stopDeviceDiscovery();
        m_device.disconnectFromDevice();
    }
    ui->scanButton->setEnabled(true);
}

void quenlix_ble::Sleep(int msec)
{
    const QDeadlineTimer deadline(msec);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}
