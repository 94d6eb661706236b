#include "serial/terminalfiles.h"

#include <QFile>

#include "app/pickedfile.h"

namespace TerminalFiles {

bool saveText(const QString& path, const QString& text, QString* error)
{
    // Text mode changes nothing on this platform: the UTF-8 bytes go out as they are.
    return PickedFile::save(path, text.toUtf8(), error) == PickedFile::SaveResult::Saved;
}

LoadResult loadSendText(const QString& path, qint64 limit, QString* text, qint64* size, QString* error)
{
    QFile file(path);
    if (!PickedFile::open(file, QIODevice::ReadOnly | QIODevice::Text, error))
        return LoadResult::OpenFailed;
    *size = file.size();
    if (*size > limit)
        return LoadResult::TooLarge;
    QString result;
    qint64 total = 0;
    while (!file.atEnd()) {
        // Bounded reads: a file may grow while it is read.
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
