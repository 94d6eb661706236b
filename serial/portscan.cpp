#include "serial/portscan.h"

#include <QFile>

#include <dirent.h>

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

DeviceNames::DeviceNames(QString directory) : m_directory(std::move(directory)) {}

bool DeviceNames::changed()
{
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(m_directory).constData());
    const bool listed = dir != nullptr;
    if (listed) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.')
                names << QFile::decodeName(entry->d_name);
        }
        closedir(dir);
        names.sort();
    }
    const bool same = listed && m_listed && names == m_names;
    m_names = std::move(names);
    m_listed = listed;
    return !same;
}

} // namespace PortScan
