#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFile;

// Files the user picked in a dialog. A FIFO or a device may block in open() or never
// end, and would freeze the window: only regular files are opened.
namespace PickedFile {

// The reason given for a FIFO, device, socket or directory.
QString notRegularReason();

// Opens `file` (its name already set) for reading in `mode` when it names a regular file,
// non-blocking. False with the reason in `error` otherwise.
bool open(QFile& file, QIODevice::OpenMode mode, QString* error);

enum class SaveResult { Saved, OpenFailed, WriteFailed };
// Writes `bytes` to `path` through a temporary file that replaces the target only once
// everything is written, so a failure leaves the old file as it was. On failure `error`
// gets the system's reason (a full disk says so).
SaveResult save(const QString& path, const QByteArray& bytes, QString* error);

// The terminals' status text for a picked file that could not be opened, with the reason.
QString openFailedText(const QString& reason);

} // namespace PickedFile
