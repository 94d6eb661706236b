#pragma once

#include <QObject>
#include <QString>

class BleService;

// One remote GATT service; owns its service object.
class ServiceInfo : public QObject
{
    Q_OBJECT
public:
    explicit ServiceInfo(BleService* service);

    BleService* service() const;
    QString getName() const;
    QString getUuid() const;
    // "<primary>", "<secondary>", "<primary included>", ...
    QString getType() const;

private:
    BleService* m_service;
};
