#include "app/quenlix_log.h"

#include <QByteArray>
#include <QString>

#include <cstdlib>

FILE* quenlix_log_output = nullptr;

void quenlix_disable_log(QtMsgType, const QMessageLogContext&, const QString&) {}

void quenlix_log(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    const QByteArray text = msg.toLocal8Bit();
    const char* file = context.file ? context.file : "";
    const char* function = context.function ? context.function : "";
    const unsigned line = unsigned(context.line);
    FILE* out = quenlix_log_output ? quenlix_log_output : stderr;
    const char* format = nullptr;
    switch (type) {
    case QtDebugMsg:
        format = "Debug: %s (%s:%u, %s)\n";
        break;
    case QtInfoMsg:
        format = "Info: %s (%s:%u, %s)\n";
        break;
    case QtWarningMsg:
        format = "Warning: %s (%s:%u, %s)\n";
        break;
    case QtCriticalMsg:
        format = "Critical: %s (%s:%u, %s)\n";
        break;
    case QtFatalMsg:
        fprintf(out, "Fatal: %s (%s:%u, %s)\n", text.constData(), file, line, function);
        fflush(out);
        abort();
    }
    if (format)
        fprintf(out, format, text.constData(), file, line, function);
}
