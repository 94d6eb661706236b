#pragma once

#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QVector>

class QAbstractScrollArea;
class QPlainTextEdit;
class QPoint;
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
// - a line longer than `softLineWidth` is shown in pieces of that width, each a line
//   of the document, so no append lays out more than one piece again (a wrapped line
//   without blanks costs its length squared to lay out). These breaks are the view's
//   own, never inside a hexadecimal entry: the text (Export) and a copied selection
//   give every line whole, as it arrived.
class LogView : public QObject
{
    Q_OBJECT
public:
    static constexpr int budget = 1000000;
    static constexpr int softLineWidth = 1536;
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
    // The user's selection, as Copy puts it on the clipboard.
    QString selectedText() const;
    // Puts the selection on the clipboard.
    void copy();
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LogView(QAbstractScrollArea* view, QTextDocument* document, int maxBlocks);
    struct Run
    {
        QString text;
        QTextCharFormat format;
        bool softBreak = false; // a break of the view's own, not part of the text
    };
    void push(QString text, const QTextCharFormat& format);
    void pushSoftBreak();
    void dropOldPending();
    void insertPending(qint64 limit);
    void flushFrame();
    void trimDocument();
    void onDocumentChanged();
    void resetState();
    QString textBetween(int from, int to) const;
    void showContextMenu(const QPoint& globalPos);
    void shareSelection();

    QAbstractScrollArea* m_view;
    QTextDocument* m_document;
    int m_maxBlocks;
    int m_pieces = 0; // blocks that continue a line
    ScreenRate* m_screen;
    QVector<Run> m_pending;
    qint64 m_pendingChars = 0;
    int m_column = 0;          // characters since the last break, pending included
    bool m_atLineStart = true; // the last character appended ends a line
    bool m_afterCr = false;    // the last character appended is a carriage return
    bool m_empty = true;       // nothing appended since the last clear
    bool m_replaceAll = false; // the pending text alone fills the budget
    bool m_editing = false;
};
