#include "serial/portscan.h"

namespace PortScan {

bool isListed(const QString& portName)
{
    return !portName.startsWith(QLatin1String("ttyS")) && !portName.startsWith(QLatin1String("ttyAMA"));
}

QStringList filtered(const QStringList& names)
{
    QStringList result;
    for (const QString& name : names) {
        if (isListed(name))
            result << name;
    }
    return result;
}

QStringList additions(const QStringList& current, const QStringList& available)
{
    QStringList result;
    for (const QString& name : available) {
        if (!current.contains(name) && !result.contains(name))
            result << name;
    }
    return result;
}

QStringList removals(const QStringList& current, const QStringList& available)
{
    QStringList result;
    for (const QString& name : current) {
        if (!available.contains(name))
            result << name;
    }
    return result;
}

} // namespace PortScan
