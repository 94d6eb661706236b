#include "widgets/logview.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <limits>

#include "widgets/screenrate.h"

namespace {

bool isLineEnd(QChar c)
{
    // The characters QTextCursor::insertText turns into a new block.
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator;
}

template <typename View> void makeReadOnly(View* view)
{
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

} // namespace

LogView::LogView(QAbstractScrollArea* view, QTextDocument* document, int maxBlocks)
    : QObject(view), m_view(view), m_document(document),
      m_screen(new ScreenRate([this] { flushFrame(); }, this, ScreenRate::readerIntervalMs))
{
    // An undo history would keep every trimmed character alive.
    document->setUndoRedoEnabled(false);
    if (maxBlocks > 0)
        document->setMaximumBlockCount(maxBlocks);
    m_empty = document->isEmpty();
    connect(document, &QTextDocument::contentsChanged, this, &LogView::onDocumentChanged);
}

LogView* LogView::attach(QPlainTextEdit* view, int maxBlocks)
{
    makeReadOnly(view);
    return new LogView(view, view->document(), maxBlocks);
}

LogView* LogView::attach(QTextEdit* view, int maxBlocks)
{
    makeReadOnly(view);
    return new LogView(view, view->document(), maxBlocks);
}

LogView* LogView::of(const QWidget* view)
{
    return view ? view->findChild<LogView*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void LogView::append(const QString& text, const QTextCharFormat& format)
{
    if (text.isEmpty())
        return;
    QString out;
    out.reserve(text.size() + text.size() / lineWidth + 1);
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        int end = i;
        while (end < n && !isLineEnd(text.at(end)) && end - i < lineWidth - m_column)
            ++end;
        out += QStringView(text).mid(i, end - i);
        m_column += end - i;
        i = end;
        if (i == n)
            break;
        if (isLineEnd(text.at(i))) {
            out += text.at(i++);
            m_column = 0;
        } else if (text.at(i).isLowSurrogate()) {
            out += text.at(i++); // never part a surrogate pair
            ++m_column;
        } else {
            out += QLatin1Char('\n');
            m_column = 0;
        }
    }
    push(out, format);
}

void LogView::startLine()
{
    if (m_empty || m_column == 0)
        return;
    push(QStringLiteral("\n"), QTextCharFormat());
    m_column = 0;
}

void LogView::appendLine(const QString& text)
{
    startLine();
    append(text);
}

void LogView::insertHtml(const QString& html)
{
    QTextDocument parsed;
    parsed.setHtml(html);
    for (QTextBlock block = parsed.begin(); block.isValid(); block = block.next()) {
        if (block != parsed.begin())
            append(QStringLiteral("\n"));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            // A <br> starts a new line rather than growing one line without end.
            QString text = it.fragment().text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            append(text, it.fragment().charFormat());
        }
    }
}

void LogView::appendHtml(const QString& html)
{
    startLine();
    insertHtml(html);
}

void LogView::push(QString text, const QTextCharFormat& format)
{
    m_empty = false;
    m_pendingChars += text.size();
    if (!m_pending.isEmpty() && m_pending.last().format == format)
        m_pending.last().text += text;
    else
        m_pending.append({std::move(text), format});
    if (m_pendingChars > budget + budget / 2)
        dropOldPending();
    m_screen->post();
}

// More than the budget waits: everything in the view is older and goes, and so
// do the oldest pending lines beyond the budget.
void LogView::dropOldPending()
{
    m_replaceAll = true;
    while (m_pending.size() > 1 && m_pendingChars - m_pending.first().text.size() >= budget) {
        m_pendingChars -= m_pending.first().text.size();
        m_pending.removeFirst();
    }
    QString& first = m_pending.first().text;
    const qint64 excess = m_pendingChars - budget;
    if (excess <= 0)
        return;
    // Cut after the last line end within the excess, so the view starts on a whole line.
    qsizetype cut = excess;
    while (cut > 0 && !isLineEnd(first.at(cut - 1)))
        --cut;
    if (cut == 0) {
        cut = excess;
        if (cut < first.size() && first.at(cut).isLowSurrogate())
            ++cut;
    }
    first.remove(0, cut);
    m_pendingChars -= cut;
}

void LogView::flush()
{
    m_screen->cancel();
    while (!m_pending.isEmpty())
        insertPending(std::numeric_limits<qint64>::max());
}

void LogView::flushFrame()
{
    insertPending(charsPerFrame);
    if (!m_pending.isEmpty())
        m_screen->post();
}

// Inserts up to `limit` characters of what waits, oldest first.
void LogView::insertPending(qint64 limit)
{
    if (m_pending.isEmpty())
        return;
    m_editing = true;
    QTextCursor cursor(m_document);
    cursor.beginEditBlock();
    if (m_replaceAll) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(QTextBlockFormat());
        m_replaceAll = false;
    }
    cursor.movePosition(QTextCursor::End);
    while (!m_pending.isEmpty() && limit > 0) {
        Run& run = m_pending.first();
        if (run.text.size() <= limit) {
            cursor.insertText(run.text, run.format);
            limit -= run.text.size();
            m_pendingChars -= run.text.size();
            m_pending.removeFirst();
            continue;
        }
        qsizetype part = limit;
        if (run.text.at(part).isLowSurrogate())
            ++part; // never part a surrogate pair
        cursor.insertText(run.text.left(part), run.format);
        run.text.remove(0, part);
        m_pendingChars -= part;
        limit = 0;
    }
    trimDocument();
    cursor.endEditBlock();
    m_editing = false;
    QScrollBar* bar = m_view->verticalScrollBar();
    bar->setValue(bar->maximum());
}

// Drops whole lines from the front once the view holds half a budget more, keeping
// at least the newest `budget` characters.
void LogView::trimDocument()
{
    const int count = m_document->characterCount() - 1; // without the closing separator
    if (count <= budget + budget / 2)
        return;
    const QTextBlock keep = m_document->findBlock(count - budget);
    int cut = keep.position();
    if (cut == 0) { // one line longer than the budget (only rich text can bring one)
        cut = count - budget;
        if (m_document->characterAt(cut).isLowSurrogate())
            ++cut;
    }
    QTextCursor cursor(m_document);
    cursor.setPosition(cut, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

QString LogView::text()
{
    flush();
    return m_document->toPlainText();
}

void LogView::clear()
{
    m_pending.clear();
    m_pendingChars = 0;
    m_replaceAll = false;
    m_screen->cancel();
    m_document->clear();
    m_column = 0;
    m_empty = true;
}

// Someone else cleared the view (its Clear button): what waits goes with it.
void LogView::onDocumentChanged()
{
    if (m_editing || !m_document->isEmpty())
        return;
    m_pending.clear();
    m_pendingChars = 0;
    m_replaceAll = false;
    m_column = 0;
    m_empty = true;
}
