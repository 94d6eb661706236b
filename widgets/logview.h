#pragma once

#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QVector>

class QAbstractScrollArea;
class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class ScreenRate;
class QWidget;

// Keeps a receive view that outside data is appended to bounded and responsive.
// It attaches to the view (a QPlainTextEdit or QTextEdit, whose class and object
// name stay as they are) and owns everything appended to it:
// - appends are gathered and inserted together, at most 20 times a second (a reader's
//   rate) and at most `charsPerFrame` at a time, so a flood is shown over several updates;
// - the view holds at least the newest `budget` characters exactly, trimming whole
//   lines from the front once it holds half a budget more;
// - a line longer than `lineWidth` is continued on a new line, so no append lays
//   out more than one such line again, whatever the line or document length.
class LogView : public QObject
{
    Q_OBJECT
public:
    static constexpr int budget = 1000000;
    static constexpr int lineWidth = 1536; // a multiple of 3: hex entries "AB " stay whole
    // What one frame inserts at most: laying out more would hold up the window.
    static constexpr int charsPerFrame = 32 * 1024;

    // Read-only and selectable; maxBlocks 0 leaves the line count unlimited.
    static LogView* attach(QPlainTextEdit* view, int maxBlocks = 0);
    static LogView* attach(QTextEdit* view, int maxBlocks = 0);
    // The log attached to a view, or nullptr.
    static LogView* of(const QWidget* view);

    // Plain text in the given format; it is never read as markup.
    void append(const QString& text, const QTextCharFormat& format = QTextCharFormat());
    // Starts a new line unless the log is empty or already at a line start.
    void startLine();
    // Plain text on a line of its own (QPlainTextEdit::appendPlainText).
    void appendLine(const QString& text);
    // Rich text at the end (QTextCursor::insertHtml), or on a line of its own
    // (QTextEdit::append); its text and character formats go in like plain text.
    void insertHtml(const QString& html);
    void appendHtml(const QString& html);
    // Inserts everything gathered so far now.
    void flush();
    // What the view holds, after a flush: what Export writes.
    QString text();
    void clear();

private:
    LogView(QAbstractScrollArea* view, QTextDocument* document, int maxBlocks);
    struct Run
    {
        QString text;
        QTextCharFormat format;
    };
    void push(QString text, const QTextCharFormat& format);
    void dropOldPending();
    void insertPending(qint64 limit);
    void flushFrame();
    void trimDocument();
    void onDocumentChanged();

    QAbstractScrollArea* m_view;
    QTextDocument* m_document;
    ScreenRate* m_screen;
    QVector<Run> m_pending;
    qint64 m_pendingChars = 0;
    int m_column = 0;          // characters since the last line start, pending included
    bool m_empty = true;       // nothing appended since the last clear
    bool m_replaceAll = false; // the pending text alone fills the budget
    bool m_editing = false;
};
