#pragma once

#include <QObject>
#include <QString>

#include "protocols/blebackend.h"

// One characteristic of a service, with the texts the panels show.
class CharacteristicInfo : public QObject
{
    Q_OBJECT
public:
    CharacteristicInfo(const QString& serviceUuid, const BleCharacteristic& characteristic);

    void setCharacteristic(const BleCharacteristic& characteristic);
    BleCharacteristic getCharacteristic() const { return m_characteristic; }

    QString getUuid() const;
    QString getName() const;
    QString getPermission() const;
    QString getValue() const;

    // Brace form, as QUuid::toString() gives it; the widget sorts by it.
    QString serviceUuid;

signals:
    void characteristicChanged();

private:
    BleCharacteristic m_characteristic;
};
