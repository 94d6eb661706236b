// The receive views' log: text from outside appended in pieces, as plain text, whole lines
// and markup, into a line-limited view of each kind. Needs widgets: runs offscreen.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <cstdlib>

#include "fuzz/fuzzinput.h"
#include "widgets/logview.h"

namespace {
QPlainTextEdit* plainView = nullptr;
QTextEdit* richView = nullptr;
int runs = 0;

// Fresh views now and then: the text layer keeps caches of its own across clears.
void renewViews()
{
    delete plainView;
    delete richView;
    plainView = new QPlainTextEdit;
    richView = new QTextEdit;
    LogView::attach(plainView, 50);
    LogView::attach(richView, 50);
}
} // namespace

// The font library keeps its configuration to the end on purpose.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Kept to the end: destroying the application at exit races the graphics state.
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (runs++ % 1000 == 0)
        renewViews();
    LogView* log = LogView::of(data[0] & 0x80 ? static_cast<QWidget*>(richView) : plainView);
    log->clear();
    for (const QByteArray& chunk : chunksOf(data, size)) {
        const QString text = QString::fromUtf8(chunk.mid(1));
        switch (quint8(chunk.at(0)) % 6) {
        case 0:
            log->append(text);
            break;
        case 1:
            log->appendLine(text);
            break;
        case 2:
            log->insertHtml(text);
            break;
        case 3:
            log->appendHtml(text);
            break;
        case 4:
            log->startLine();
            log->append(text);
            break;
        default:
            log->flush();
            break;
        }
    }
    log->flush();
    if (log->text().size() > LogView::budget + LogView::budget / 2 + LogView::softLineWidth)
        __builtin_trap();
    return 0;
}
