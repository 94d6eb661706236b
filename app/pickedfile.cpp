#include "app/pickedfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace PickedFile {

QString notRegularReason()
{
    return QCoreApplication::translate("PickedFile", "not a regular file.");
}

bool open(QFile& file, QIODevice::OpenMode mode, QString* error)
{
    // Checked before opening: opening a FIFO for reading waits for a writer.
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile()) {
        *error = notRegularReason();
        return false;
    }
    // Read non-blocking: a few files that look regular (/proc/kmsg) wait for data that may
    // never come; their read fails instead of freezing the window.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    return true;
}

SaveResult save(const QString& path, const QByteArray& bytes, QString* error)
{
    // A FIFO or device would be written in place, and a FIFO waits for a reader.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        *error = notRegularReason();
        return SaveResult::OpenFailed;
    }
    QSaveFile file(path);
    // Unbuffered, so a write that fails (a full disk, a file size limit) keeps the
    // system's reason; a buffered one would only fail at commit, without it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return SaveResult::OpenFailed;
    }
    // A short write carries no reason; the next one, refused, does.
    qint64 written = 0;
    for (qint64 n = 0; written < bytes.size(); written += n) {
        n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
    }
    if (written != bytes.size() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return SaveResult::WriteFailed;
    }
    return SaveResult::Saved;
}

QString openFailedText(const QString& reason)
{
    if (reason == notRegularReason())
        return QCoreApplication::translate("PickedFile", "Open failed: %1").arg(reason);
    return QCoreApplication::translate(
               "MainWindow",
               "Open failed: Failed to open this file, this may be due to insufficient permissions.") +
           QLatin1Char('\n') + reason;
}

} // namespace PickedFile
