#include "widgets/logview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <limits>

#include "widgets/screenrate.h"

namespace {

// Marks a block that continues the line before it: the break between them is the view's own.
constexpr int continuedLine = 1;
// How far before the width a break may come so that a hexadecimal entry stays whole.
constexpr qsizetype entryWindow = 32;

bool isLineEnd(QChar c)
{
    // The characters QTextCursor::insertText turns into a new block.
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator;
}

// Where to break a line whose first character past the width is text[limit]: after the last
// blank or, failing that, the last comma shortly before, so entries such as "0x41, " and
// "0x41," stay whole; else before this append when it began just before the width (appends
// bring whole entries); else at the width, never inside a surrogate pair.
qsizetype softCut(const QString& text, qsizetype from, qsizetype limit, bool lineUnderway)
{
    const qsizetype low = qMax(from, limit - entryWindow);
    for (QChar separator : {QLatin1Char(' '), QLatin1Char(',')}) {
        for (qsizetype i = limit; i > low; --i) {
            if (text.at(i - 1) == separator)
                return i;
        }
    }
    if (lineUnderway && limit - from < entryWindow)
        return from;
    if (text.at(limit).isLowSurrogate() && limit - 1 > from)
        --limit;
    return limit;
}

template <typename View> void makeReadOnly(View* view)
{
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

} // namespace

LogView::LogView(QAbstractScrollArea* view, QTextDocument* document, int maxBlocks)
    : QObject(view), m_view(view), m_document(document), m_maxBlocks(maxBlocks),
      m_screen(new ScreenRate([this] { flushFrame(); }, this, ScreenRate::readerIntervalMs))
{
    // An undo history would keep every trimmed character alive.
    document->setUndoRedoEnabled(false);
    m_empty = document->isEmpty();
    m_atLineStart = m_empty;
    connect(document, &QTextDocument::contentsChanged, this, &LogView::onDocumentChanged);
    // Copy goes through the log, which knows its own breaks.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
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
    // A "\r\n" is one line end (as insertText reads it), also when a chunk ends between the two.
    if (m_afterCr && text.startsWith(QLatin1Char('\n'))) {
        m_afterCr = false;
        append(text.mid(1), format);
        return;
    }
    if (text.isEmpty())
        return;
    m_afterCr = text.back() == QLatin1Char('\r');
    const qsizetype n = text.size();
    qsizetype pushed = 0; // text before this is queued
    qsizetype i = 0;
    while (i < n) {
        qsizetype end = i;
        while (end < n && !isLineEnd(text.at(end)))
            ++end;
        while (m_column + (end - i) > softLineWidth) {
            const qsizetype cut = softCut(text, i, i + (softLineWidth - m_column), m_column > 0);
            if (cut > pushed)
                push(text.mid(pushed, cut - pushed), format);
            pushSoftBreak();
            pushed = i = cut;
        }
        m_column += int(end - i);
        i = end;
        if (i < n) {
            ++i; // the line end
            m_column = 0;
        }
    }
    if (pushed < n)
        push(pushed == 0 ? text : text.mid(pushed), format);
    m_atLineStart = isLineEnd(text.back());
}

void LogView::startLine()
{
    if (m_empty || m_atLineStart)
        return;
    append(QStringLiteral("\n"));
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
    if (!m_pending.isEmpty() && !m_pending.last().softBreak && m_pending.last().format == format)
        m_pending.last().text += text;
    else
        m_pending.append({std::move(text), format});
    if (m_pendingChars > budget + budget / 2)
        dropOldPending();
    m_screen->post();
}

void LogView::pushSoftBreak()
{
    m_pending.append({QString(), QTextCharFormat(), true});
    m_column = 0;
}

// More than the budget waits: everything in the view is older and goes, and so do the
// oldest pending characters beyond the budget. The cut comes after the last line end that
// keeps at least the budget and at most one and a half, so the view starts on a whole line
// (line ends may lie in any run, with the view's own breaks between them); a line longer
// than that is cut where the budget starts.
void LogView::dropOldPending()
{
    m_replaceAll = true;
    const qint64 excess = m_pendingChars - budget;
    const qint64 lowest = m_pendingChars - (budget + budget / 2);
    // The character at `excess`: run `r`, index `i`.
    int r = 0;
    qint64 runStart = 0;
    while (runStart + m_pending.at(r).text.size() <= excess)
        runStart += m_pending.at(r++).text.size();
    qsizetype i = excess - runStart;
    const QChar atExcess = m_pending.at(r).text.at(i);
    QChar next = atExcess; // the character after the one looked at
    qint64 cut = -1;
    for (qint64 at = excess; at > 0 && at >= lowest; --at) { // does a line start at `at`?
        while (i == 0)
            i = m_pending.at(--r).text.size();
        const QChar c = m_pending.at(r).text.at(--i);
        // A "\r\n" is one line end: the line starts after the '\n'.
        if (isLineEnd(c) && !(c == QLatin1Char('\r') && next == QLatin1Char('\n'))) {
            cut = at;
            break;
        }
        next = c;
    }
    if (cut < 0)
        cut = atExcess.isLowSurrogate() ? excess + 1 : excess;
    m_pendingChars -= cut;
    auto kept = m_pending.begin(); // the first run the cut leaves anything of
    while (kept->text.size() <= cut)
        cut -= (kept++)->text.size();
    m_pending.erase(m_pending.begin(), kept);
    m_pending.first().text.remove(0, cut);
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
        cursor.block().setUserState(-1);
        m_pieces = 0;
        m_replaceAll = false;
    }
    cursor.movePosition(QTextCursor::End);
    while (!m_pending.isEmpty() && limit > 0) {
        Run& run = m_pending.first();
        if (run.softBreak) {
            cursor.insertBlock();
            cursor.block().setUserState(continuedLine);
            ++m_pieces;
            m_pending.removeFirst();
            continue;
        }
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
// at least the newest `budget` characters, and once it holds more lines than its cap.
// (The document's own cap would count pieces and leave the tail of a line at the front.)
void LogView::trimDocument()
{
    int cut = 0;
    const int count = m_document->characterCount() - 1; // without the closing separator
    if (count > budget + budget / 2) {
        // The view's own breaks count in the document but not in the text: keeping that
        // many more characters keeps at least a budget of text.
        const QTextBlock piece = m_document->findBlock(qMax(0, count - budget - m_pieces));
        QTextBlock line = piece;
        while (line.isValid() && line.userState() == continuedLine)
            line = line.previous();
        // The line that holds the cut point, or the piece of it when the line is all there
        // is or is itself longer than the view may hold.
        const bool wholeLine =
            line.isValid() && line.position() > 0 && count - line.position() <= budget + budget / 2;
        cut = wholeLine ? line.position() : piece.position();
        if (cut == 0) { // one piece longer than the budget (only rich text can bring one)
            cut = count - budget;
            if (m_document->characterAt(cut).isLowSurrogate())
                ++cut;
        }
    }
    // The cap counts lines, not the pieces a long line is shown in.
    int excess = m_maxBlocks > 0 ? m_document->blockCount() - m_pieces - m_maxBlocks : 0;
    if (excess > 0) {
        QTextBlock line = m_document->begin();
        while (excess > 0 && line.next().isValid()) { // to the start of the first line kept
            line = line.next();
            if (line.userState() != continuedLine)
                --excess;
        }
        cut = qMax(cut, line.position());
    }
    if (cut == 0)
        return;
    for (QTextBlock b = m_document->begin(); b.isValid() && b.position() <= cut; b = b.next()) {
        if (b.userState() == continuedLine)
            --m_pieces; // gone, or first now
    }
    QTextCursor cursor(m_document);
    cursor.setPosition(cut, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // The first block keeps the state of the block that was first.
    m_document->begin().setUserState(-1);
}

QString LogView::text()
{
    flush();
    return textBetween(0, m_document->characterCount() - 1);
}

// The characters from `from` to `to`, with the view's own breaks left out.
QString LogView::textBetween(int from, int to) const
{
    QString out;
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from && block.userState() != continuedLine)
            out += QLatin1Char('\n');
        const int start = qMax(from, block.position()) - block.position();
        const int end = qMin(to, block.position() + block.length() - 1) - block.position();
        if (end > start)
            out += QStringView(block.text()).mid(start, end - start);
    }
    return out;
}

QString LogView::selectedText() const
{
    QTextCursor cursor;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_view))
        cursor = plain->textCursor();
    else if (auto* rich = qobject_cast<QTextEdit*>(m_view))
        cursor = rich->textCursor();
    if (!cursor.hasSelection())
        return QString();
    return textBetween(cursor.selectionStart(), cursor.selectionEnd());
}

void LogView::copy()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

// What a middle click pastes: the selection as Copy gives it.
void LogView::shareSelection()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text, QClipboard::Selection);
}

bool LogView::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress)
                copy();
            event->accept();
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        // The view has just put its selection on the X11 selection clipboard.
        if (QApplication::clipboard()->supportsSelection())
            QMetaObject::invokeMethod(this, &LogView::shareSelection, Qt::QueuedConnection);
        return false;
    case QEvent::ContextMenu:
        if (m_view->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

// The view's own menu, with Copy taken by the log.
void LogView::showContextMenu(const QPoint& globalPos)
{
    QMenu* menu = nullptr;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_view))
        menu = plain->createStandardContextMenu(plain->viewport()->mapFromGlobal(globalPos));
    else if (auto* rich = qobject_cast<QTextEdit*>(m_view))
        menu = rich->createStandardContextMenu(rich->viewport()->mapFromGlobal(globalPos));
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* copyAction = menu->findChild<QAction*>(QStringLiteral("edit-copy"))) {
        disconnect(copyAction, &QAction::triggered, nullptr, nullptr);
        connect(copyAction, &QAction::triggered, this, &LogView::copy);
    }
    menu->popup(globalPos);
}

void LogView::clear()
{
    m_screen->cancel();
    m_document->clear();
    resetState();
}

// Someone else cleared the view (its Clear button): what waits goes with it.
void LogView::onDocumentChanged()
{
    if (m_editing || !m_document->isEmpty())
        return;
    resetState();
}

// Nothing shown, nothing waiting.
void LogView::resetState()
{
    m_pending.clear();
    m_pendingChars = 0;
    m_replaceAll = false;
    m_column = 0;
    m_atLineStart = true;
    m_afterCr = false;
    m_pieces = 0;
    m_empty = true;
}
