#pragma once

#include <QtGlobal>
#include <cstdio>

class QMessageLogContext;
class QString;

// Stream for quenlix_log; stderr when unset.
extern FILE* quenlix_log_output;

// Drops every message: installed at start-up.
void quenlix_disable_log(QtMsgType type, const QMessageLogContext& context, const QString& msg);
// One formatted line per message; aborts on a fatal message. Kept for debugging, not installed.
void quenlix_log(QtMsgType type, const QMessageLogContext& context, const QString& msg);
