#include "serial/terminalview.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "serial/terminalfiles.h"
#include "serial/terminalformat.h"

namespace TerminalView {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

QStringList& fileAnswers()
{
    static QStringList answers;
    return answers;
}

// Keeps a view within its caps. The last block (a stream without line feeds)
// drops its oldest quarter once it passes maxBlockChars; the whole view drops
// its oldest blocks, a few at a time, once it passes maxChars.
void trim(QPlainTextEdit* view)
{
    QTextDocument* doc = view->document();
    const QTextBlock last = doc->lastBlock();
    if (last.length() > maxBlockChars) {
        QTextCursor cursor(doc);
        cursor.setPosition(last.position());
        cursor.setPosition(last.position() + last.length() - maxBlockChars * 3 / 4, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    const int excess = doc->characterCount() - maxChars;
    if (excess > 0) {
        const QTextBlock cut = doc->findBlock(excess);
        QTextCursor cursor(doc);
        cursor.setPosition(qMin(cut.position() + cut.length(), doc->characterCount() - 1),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

// The part of a large chunk that would survive the caps anyway, so a big chunk
// is never laid out only to be dropped again.
QString keptPart(const QString& text)
{
    QString kept = text.size() > maxChars ? text.right(maxChars) : text;
    const int lastBreak = int(kept.lastIndexOf(QLatin1Char('\n')));
    if (kept.size() - lastBreak - 1 > maxBlockChars)
        kept = kept.left(lastBreak + 1) + kept.right(maxBlockChars * 3 / 4);
    return kept;
}

} // namespace

void setupReceiveView(QPlainTextEdit* view)
{
    view->setMaximumBlockCount(maxBlocks);
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void appendPlain(QPlainTextEdit* view, const QString& text)
{
    QTextCursor cursor(view->document());
    cursor.beginEditBlock(); // one layout pass for the insertion and the trimming
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(keptPart(text), QTextCharFormat());
    trim(view);
    cursor.endEditBlock();
    view->moveCursor(QTextCursor::End);
}

void appendStamped(QPlainTextEdit* view, const QString& stamp, const QString& text)
{
    QTextCursor cursor(view->document());
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    if (!view->document()->isEmpty())
        cursor.insertBlock();
    QTextCharFormat green;
    green.setForeground(Qt::darkGreen);
    cursor.insertText(stamp, green);
    QTextCharFormat black;
    black.setForeground(Qt::black);
    QString flat = keptPart(text);
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    flat.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    flat.replace(QChar::LineSeparator, QLatin1Char(' '));
    cursor.insertText(flat, black);
    trim(view);
    cursor.endEditBlock();
    scrollToBottom(view);
}

QString stampNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("[hh:mm:ss.zzz]"));
}

void scrollToBottom(QPlainTextEdit* view)
{
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
}

void showChunk(QPlainTextEdit* textView, QPlainTextEdit* hexView, const QString& text, const QString& hex,
               bool stamped)
{
    if (stamped) {
        const QString stamp = stampNow();
        appendStamped(textView, stamp, text);
        appendStamped(hexView, stamp, hex);
    } else {
        appendPlain(textView, text);
        appendPlain(hexView, hex);
    }
}

bool isPausing(const QPushButton* sendButton)
{
    return sendButton->text() == tr("Pause") || sendButton->text() == QStringLiteral("暂停");
}

void setSendIdle(QPushButton* sendButton)
{
    sendButton->setText(tr("Send"));
    sendButton->setIcon(QIcon(QStringLiteral(":images/send.png")));
}

void setSendPausing(QPushButton* sendButton)
{
    sendButton->setText(tr("Pause"));
    sendButton->setIcon(QIcon(QStringLiteral(":images/pause.png")));
}

void addToCounter(QLCDNumber* counter, qint64 n)
{
    const int sum = TerminalFormat::addToCount(counter->intValue(), n);
    if (sum >= TerminalFormat::counterMax)
        counter->display(QStringLiteral("99999"));
    else
        counter->display(sum);
}

QString exportText(QWidget* parent, QPlainTextEdit* view)
{
    const QString text = view->toPlainText();
    if (text.isEmpty())
        return tr("No data need to save");
    const QString path = chooseSaveFile(parent, tr("Save as"), QStringLiteral("newtxt.txt"));
    if (path.isEmpty())
        return QString();
    QString error;
    if (!TerminalFiles::saveText(path, text, &error))
        return tr("Save failed:Open file %1 failed, can't save\n%2").arg(path, error);
    return QStringLiteral("Saved success.\tsaved: ") + QFileInfo(path).canonicalFilePath();
}

QString importText(QWidget* parent, QPlainTextEdit* sendBox)
{
    const QString path = chooseOpenFile(parent, tr("Read file"));
    if (path.isEmpty())
        return QString();
    QString text;
    qint64 size = 0;
    switch (TerminalFiles::loadSendText(path, TerminalFormat::importLimit, &text, &size)) {
    case TerminalFiles::LoadResult::OpenFailed:
        return tr("Open failed: Failed to open this file, this may be due to insufficient permissions.");
    case TerminalFiles::LoadResult::TooLarge:
        return tr("Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes").arg(size);
    case TerminalFiles::LoadResult::Loaded:
        break;
    }
    sendBox->setPlainText(sendBox->toPlainText() + text);
    sendBox->moveCursor(QTextCursor::End);
    return tr("Success for read the data in the file");
}

QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& proposed)
{
    if (!fileAnswers().isEmpty())
        return fileAnswers().takeFirst();
    return QFileDialog::getSaveFileName(parent, caption, proposed);
}

QString chooseOpenFile(QWidget* parent, const QString& caption)
{
    if (!fileAnswers().isEmpty())
        return fileAnswers().takeFirst();
    return QFileDialog::getOpenFileName(parent, caption, QString(), QStringLiteral("(*)"));
}

void queueFileAnswers(const QStringList& answers)
{
    fileAnswers() += answers;
}

} // namespace TerminalView
