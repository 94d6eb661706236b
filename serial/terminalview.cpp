#include "serial/terminalview.h"

#include <QCoreApplication>
#include <QDateTime>
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

#include "app/pickedfile.h"
#include "serial/terminalfiles.h"
#include "serial/terminalformat.h"
#include "widgets/filechooser.h"
#include "widgets/logview.h"

namespace TerminalView {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// A new line: the stamp in green, then the chunk in black with its line breaks as blanks,
// so the chunk stays one line.
void appendStamped(QPlainTextEdit* view, const QString& stamp, const QString& text)
{
    LogView* log = LogView::of(view);
    log->startLine();
    QTextCharFormat green;
    green.setForeground(Qt::darkGreen);
    log->append(stamp, green);
    QTextCharFormat black;
    black.setForeground(Qt::black);
    QString flat = text;
    for (QChar lineEnd : {QChar(QLatin1Char('\n')), QChar(QLatin1Char('\r')),
                          QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator)})
        flat.replace(lineEnd, QLatin1Char(' '));
    log->append(flat, black);
}

} // namespace

void setupReceiveView(QPlainTextEdit* view)
{
    LogView::attach(view, maxBlocks);
}

void scrollToBottom(QPlainTextEdit* view)
{
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
}

void showChunk(QPlainTextEdit* textView, QPlainTextEdit* hexView, const QString& text, const QString& hex,
               bool stamped)
{
    if (stamped) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("[hh:mm:ss.zzz]"));
        appendStamped(textView, stamp, text);
        appendStamped(hexView, stamp, hex);
    } else {
        LogView::of(textView)->append(text);
        LogView::of(hexView)->append(hex);
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

QString exportText(QWidget* parent, FileChooser& chooser, QPlainTextEdit* view)
{
    const QString text = LogView::of(view) ? LogView::of(view)->text() : view->toPlainText();
    if (text.isEmpty())
        return tr("No data need to save");
    const QString path = chooser.saveFileName(parent, tr("Save as"), QStringLiteral("newtxt.txt"));
    if (path.isEmpty())
        return QString();
    QString error;
    if (!TerminalFiles::saveText(path, text, &error))
        return tr("Save failed:Open file %1 failed, can't save\n%2").arg(path, error);
    return QStringLiteral("Saved success.\tsaved: ") + QFileInfo(path).canonicalFilePath();
}

QString importText(QWidget* parent, FileChooser& chooser, QPlainTextEdit* sendBox)
{
    const QString path = chooser.openFileName(parent, tr("Read file"));
    if (path.isEmpty())
        return QString();
    QString text;
    qint64 size = 0;
    QString error;
    switch (TerminalFiles::loadSendText(path, TerminalFormat::importLimit, &text, &size, &error)) {
    case TerminalFiles::LoadResult::OpenFailed:
        return PickedFile::openFailedText(error);
    case TerminalFiles::LoadResult::TooLarge:
        return tr("Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes").arg(size);
    case TerminalFiles::LoadResult::Loaded:
        break;
    }
    sendBox->setPlainText(sendBox->toPlainText() + text);
    sendBox->moveCursor(QTextCursor::End);
    return tr("Success for read the data in the file");
}

} // namespace TerminalView
