#pragma once

#include <QString>

class QTextDocument;

// The document's text exactly as typed: its blocks' raw text joined by "\n".
// Unlike toPlainText() it keeps no-break spaces and line separators as they are.
QString rawDocumentText(const QTextDocument* document);
