#pragma once

#include <QString>

class QSettings;

// The program's settings file holds the MQTT password: it is created readable by the user
// alone and kept so when rewritten. Saves report why they failed.
namespace SettingsFile {

// Writes the pending changes of `settings` to its file. Empty when they reached the disk,
// otherwise the reason (the system's text for the access that failed).
QString save(QSettings& settings);

// The message of a failed save of the settings file at `path`.
QString failureText(const QString& path, const QString& reason);

// Why the file at `path` cannot be read; empty when it can (a file not there yet reads
// as empty settings).
QString readError(const QString& path);

// Why the file at `path` cannot be written, as the settings store checks it first;
// empty when it can.
QString writeError(const QString& path);

} // namespace SettingsFile
