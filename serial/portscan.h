#pragma once

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

} // namespace PortScan
