#pragma once

#include <QByteArray>
#include <QString>

class FileChooser;
class QLCDNumber;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Widget side of the three terminals: receive views, byte counters, and the
// Export/Import buttons. Texts use the main window's translation context.
namespace TerminalView {

#if 0 // for lupdate only: its texts belong to the main window's translation context
Q_DECLARE_TR_FUNCTIONS(MainWindow)
#endif

// A receive view keeps at most this many lines, within its log's character budget.
constexpr int maxBlocks = 10000;

// Read-only, selectable, capped at maxBlocks and fed through a LogView.
void setupReceiveView(QPlainTextEdit* view);
void scrollToBottom(QPlainTextEdit* view);
// One received chunk into a terminal's text and hex views, as plain text or stamped: a new
// line with a green "[hh:mm:ss.zzz]" stamp and the chunk in black, its line breaks as blanks.
void showChunk(QPlainTextEdit* textView, QPlainTextEdit* hexView, const QString& text, const QString& hex,
               bool stamped);

// The Send button's two states: "Pause" while keep-sending runs, "Send" otherwise.
bool isPausing(const QPushButton* sendButton);
void setSendIdle(QPushButton* sendButton);
void setSendPausing(QPushButton* sendButton);

// Adds n bytes to a counter under the saturating counter rule.
void addToCounter(QLCDNumber* counter, qint64 n);

// Export: writes the view's plain text to a file the user chooses; returns the
// status text to show (empty when the dialog was cancelled).
QString exportText(QWidget* parent, FileChooser& chooser, QPlainTextEdit* view);
// Import: appends a small text file to the send box; returns the status text
// (empty when cancelled).
QString importText(QWidget* parent, FileChooser& chooser, QPlainTextEdit* sendBox);

} // namespace TerminalView
