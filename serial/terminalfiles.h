#pragma once

#include <QString>

// File work of the terminals' Export and Import buttons, without widgets.
namespace TerminalFiles {

// Writes `text` as UTF-8 to `path` through a temporary file that replaces the
// target only once everything is written. On failure `error` gets the reason.
bool saveText(const QString& path, const QString& text, QString* error);

enum class LoadResult { Loaded, OpenFailed, TooLarge };
// Reads a send text of at most `limit` bytes: lines with their line ends
// (carriage return + line feed read as a line feed), each line up to its first NUL.
// `size` gets the file's size. Only regular files are read; when the file cannot be
// opened `error` gets the reason.
LoadResult loadSendText(const QString& path, qint64 limit, QString* text, qint64* size, QString* error);

} // namespace TerminalFiles
