#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QWidget>

#include <memory>

#include "protocols/device.h"

class CharacteristicWidget;
class QGroupBox;
class QPushButton;
class QVBoxLayout;
class Ui_quenlix_ble;

// The Bluetooth Low Energy client: scan, device buttons, one group per service
// of the connected device with its characteristic panel.
class quenlix_ble : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_ble(QWidget* parent = nullptr);
    // With a radio of the caller's choosing (tests script a peripheral).
    quenlix_ble(std::unique_ptr<BleBackend> backend, QWidget* parent);
    ~quenlix_ble() override;

private slots:
    void onScanButtonClicked();
    void onDeviceButtonClicked();
    void clearDeviceButtons();
    void devicesUpdated();
    void onServiceScanDone();
    void Sleep(int msec);
    void onReadCharacteristicRequested(const QString& uuid);
    void onCharacteristicsGetDone(const QString& serviceUuid,
                                  const QList<CharacteristicInfo*>& characteristics);
    void onCharacteristicValueRead(const QString& characteristicUuid, const QByteArray& characteristicValue,
                                   const QString& serviceUuid);
    void onNotifyCharacteristicRequested(const QString& uuid, bool subscribe);
    void onWriteCharacteristicRequested(const QString& uuid, const QString& data, bool isHex);
    void onServiceDisconnected();
    void onTitleButtonClicked();

private:
    // What the scan button offers: "Scan", "Stop" or "Disconnect".
    enum class ButtonState { Scan, Stop, Disconnect };
    void setButtonState(ButtonState state);
    void onDiscoveryStateChanged();
    // The service of the panel that sent a request; the owner map otherwise.
    QString serviceOfRequest(const QString& characteristicUuid) const;

    Ui_quenlix_ble* ui;
    QMap<QString, QPushButton*> m_deviceButtons;
    QVBoxLayout* m_deviceLayout;
    Device m_device;
    QString m_currentAddress;
    QMap<QString, CharacteristicWidget*> m_panels;
    QMap<QString, QString> m_characteristicOwners;
    QMap<QPushButton*, QGroupBox*> m_titleGroups;
    ButtonState m_buttonState = ButtonState::Scan;
};
