#include "app/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include "app/pickedfile.h"

namespace SettingsFile {

namespace {

constexpr QFileDevice::Permissions userOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A new file starts empty with the user's mode, so the store's atomic rewrite, which keeps
// the mode of the file it replaces, keeps it too; an older, looser file is narrowed.
void makePrivate(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        if (QDir().mkpath(QFileInfo(path).absolutePath()))
            file.open(QIODevice::WriteOnly | QIODevice::NewOnly, userOnly);
        return;
    }
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (QFileInfo(path).isFile() && (file.permissions() & others))
        file.setPermissions(file.permissions() & ~others);
}

} // namespace

QString save(QSettings& settings)
{
    const QString path = settings.fileName();
    makePrivate(path);
    settings.sync();
    if (settings.status() != QSettings::AccessError)
        return QString();
    const QString reason = writeError(path);
    return reason.isEmpty() ? QCoreApplication::translate("SettingsFile", "the file could not be replaced.")
                            : reason;
}

QString failureText(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("SettingsFile", "The settings could not be saved to\n%1\n%2")
        .arg(path, reason);
}

QString readError(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QString();
    if (!info.isFile())
        return PickedFile::notRegularReason();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

QString writeError(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return PickedFile::notRegularReason();
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return file.errorString();
    }
    // The new content goes to a temporary file beside it first.
    QTemporaryFile probe(path);
    if (!probe.open())
        return probe.errorString();
    return QString();
}

} // namespace SettingsFile
