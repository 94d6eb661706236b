#include "protocols/serviceinfo.h"

#include "protocols/blebackend.h"

ServiceInfo::ServiceInfo(BleService* service) : m_service(service)
{
    if (m_service)
        m_service->setParent(this);
}

BleService* ServiceInfo::service() const
{
    return m_service;
}

QString ServiceInfo::getName() const
{
    return m_service ? m_service->serviceName() : QString();
}

QString ServiceInfo::getUuid() const
{
    return m_service ? m_service->serviceUuid().toString() : QString();
}

QString ServiceInfo::getType() const
{
    if (!m_service)
        return QString();
    const QLowEnergyService::ServiceTypes type = m_service->type();
    QString result = type.testFlag(QLowEnergyService::PrimaryService) ? QStringLiteral("primary")
                                                                      : QStringLiteral("secondary");
    if (type.testFlag(QLowEnergyService::IncludedService))
        result += QLatin1String(" included");
    return QLatin1Char('<') + result + QLatin1Char('>');
}

// Own moc unit: the library-wide one repeats a class the application also compiles.
#include "moc_serviceinfo.cpp"
