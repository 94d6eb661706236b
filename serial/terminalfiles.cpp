#include "serial/terminalfiles.h"

#include <QFile>
#include <QSaveFile>

namespace TerminalFiles {

bool saveText(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

LoadResult loadSendText(const QString& path, qint64 limit, QString* text, qint64* size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LoadResult::OpenFailed;
    *size = file.size();
    if (*size > limit)
        return LoadResult::TooLarge;
    QString result;
    qint64 total = 0;
    while (!file.atEnd()) {
        // Bounded reads: a device file may report size 0 and never end.
        QByteArray line = file.readLine(limit + 1 - total);
        if (line.isEmpty())
            break;
        total += line.size();
        if (total > limit) {
            *size = qMax(*size, total);
            return LoadResult::TooLarge;
        }
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        result += QString::fromUtf8(line);
    }
    *text = result;
    return LoadResult::Loaded;
}

} // namespace TerminalFiles
