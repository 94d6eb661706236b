#pragma once

#include <QString>
#include <QStringList>

// The rules of the serial port scan, kept apart from the widgets they drive.
namespace PortScan {

// How often the port lists are brought up to date while no port is open.
constexpr int intervalMs = 500;

// False for names that the port lists never show (prefixes "ttyS" and "ttyAMA").
bool isListed(const QString& portName);
// The listed names among `names`, in their order.
QStringList filtered(const QStringList& names);
// Names of `available` missing from `current`, in the order of `available`.
QStringList additions(const QStringList& current, const QStringList& available);
// Items of `current` that are no longer available, in list order.
QStringList removals(const QStringList& current, const QStringList& available);

// The names of the tty devices the kernel lists, read in one directory listing. Enumerating the
// ports opens the system files of every tty device, the virtual consoles included; this costs
// next to nothing, so a rescan enumerates only when these names changed.
class DeviceNames
{
public:
    explicit DeviceNames(QString directory = QStringLiteral("/sys/class/tty"));
    // Whether the names differ from those of the last call: true the first time, and every
    // time the directory cannot be listed (then only an enumeration can tell).
    bool changed();

private:
    QString m_directory;
    QStringList m_names;
    bool m_listed = false;
};

} // namespace PortScan
