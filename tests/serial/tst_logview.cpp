// The bounded receive log: what it keeps, where it cuts, what Export gets.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include "tests/common/copiedtext.h"
#include "widgets/framestatus.h"
#include "widgets/logview.h"

namespace {

// A stream of `total` characters cut into appends of `chunk` characters.
QStringList chunks(const QString& unit, qsizetype total, qsizetype chunk)
{
    QString all;
    while (all.size() < total)
        all += unit;
    all.truncate(total);
    QStringList out;
    for (qsizetype i = 0; i < all.size(); i += chunk)
        out << all.mid(i, chunk);
    return out;
}

bool hasLoneSurrogate(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && (i + 1 == s.size() || !s.at(i + 1).isLowSurrogate()))
            return true;
        if (s.at(i).isLowSurrogate() && (i == 0 || !s.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

} // namespace

class TestLogView : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheNewestBudgetExactly_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qsizetype>("total");
        QTest::addColumn<qsizetype>("chunk");
        QTest::addColumn<bool>("flushEach");
        const qsizetype b = LogView::budget;
        QTest::newRow("short-lines-within-budget") << "line 42\n"
                                                   << qsizetype(8000) << qsizetype(100) << true;
        QTest::newRow("just-below-trim-point") << "0123456789abcde\n" << b * 3 / 2 << qsizetype(4096) << true;
        QTest::newRow("just-past-trim-point") << "0123456789abcde\n"
                                              << b * 3 / 2 + 17 << qsizetype(4096) << true;
        QTest::newRow("short-lines-flood-gathered") << "0123456789abcde\n"
                                                    << 3 * b << qsizetype(4096) << false;
        QTest::newRow("endless-line-in-chunks") << "0123456789" << 3 * b << qsizetype(4093) << true;
        QTest::newRow("line-longer-than-budget-at-once") << "0123456789" << 5 * b / 2 << 5 * b / 2 << false;
        QTest::newRow("lines-past-the-piece-width")
            << QString(LogView::softLineWidth * 3 / 2, 'y') + "\nshort\n"
            << 3 * b << qsizetype(4096) << true;
        // An odd chunk size parts surrogate pairs between appends; a five-unit stream meets
        // the line width at every position.
        QTest::newRow("surrogate-pairs-split-by-chunks")
            << QString::fromUtf8("abc😀") << 3 * b << qsizetype(4097) << true;
        QTest::newRow("surrogate-pairs-gathered")
            << QString::fromUtf8("😀") << 3 * b << qsizetype(4097) << false;
    }
    void keepsTheNewestBudgetExactly()
    {
        QFETCH(QString, unit);
        QFETCH(qsizetype, total);
        QFETCH(qsizetype, chunk);
        QFETCH(bool, flushEach);
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        QString sent;
        for (const QString& part : chunks(unit, total, chunk)) {
            log->append(part);
            sent += part;
            if (flushEach)
                log->flush();
        }
        const QString shown = log->text();
        // The newest text exactly, from a line start when the text has one there.
        QVERIFY(sent.endsWith(shown));
        QVERIFY(shown.size() >= qMin(sent.size(), qsizetype(LogView::budget)));
        QVERIFY(shown.size() <= LogView::budget * 3 / 2);
        const qsizetype dropped = sent.size() - shown.size();
        if (dropped > 0 && sent.lastIndexOf(QLatin1Char('\n'), dropped - 1) >= 0)
            QCOMPARE(sent.at(dropped - 1), QLatin1Char('\n'));
        QVERIFY(!hasLoneSurrogate(shown));
        // No piece of a line is laid out at a length that holds the window up.
        for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
            QVERIFY(b.length() <= LogView::softLineWidth + 1);
    }

    // A short line, then one line longer than the view may hold (a hex flood without 0x0A):
    // after every append the view holds between one and one and a half budgets of text.
    void endlessLineAfterAShortLineStaysBounded()
    {
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        log->append(QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
        const QString chunk = QStringLiteral("0x71,").repeated(8192 / 5);
        for (qsizetype sent = 0; sent < 2 * LogView::budget; sent += chunk.size()) {
            log->append(chunk);
            log->flush();
            const qsizetype shown = log->text().size();
            QVERIFY2(shown <= LogView::budget * 3 / 2, qPrintable(QString::number(shown)));
            QVERIFY2(shown >= qMin(sent, qsizetype(LogView::budget)), qPrintable(QString::number(shown)));
        }
    }

    // A line far longer than any device sends is shown in pieces; Export and Copy give it as it
    // came, and a piece never ends inside a hexadecimal entry, with or without a time stamp.
    void longLinesComeBackWhole_data()
    {
        QTest::addColumn<QString>("head"); // the line's start, a time stamp say
        QTest::addColumn<QString>("unit"); // repeated, in appends of whole units
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("entryEnd"); // what every piece ends with, if anything
        const int past = LogView::budget / 4;
        // clang-format off
        QTest::newRow("device-line-5000") << "" << "0123456789" << 5000 << "";
        QTest::newRow("tof-line-10807") << "" << "1234," << 10807 << "";
        QTest::newRow("endless-text") << "" << "0123456789" << past << "";
        QTest::newRow("serial-hex") << "" << "0x41," << past << ",";
        QTest::newRow("serial-hex-stamped") << "[12:00:00.000]" << "0x41," << past << ",";
        QTest::newRow("network-hex") << "" << "0x41, " << past << " ";
        QTest::newRow("network-hex-stamped") << "[12:00:00.000]" << "0xEA, " << past << " ";
        // clang-format on
    }
    void longLinesComeBackWhole()
    {
        QFETCH(QString, head);
        QFETCH(QString, unit);
        QFETCH(int, length);
        QFETCH(QString, entryEnd);
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        QString sent = "before\n" + head;
        log->append(sent);
        for (QString part = unit.repeated(97); sent.size() < length;) {
            log->append(part);
            sent += part;
        }
        QCOMPARE(log->text(), sent);
        QCOMPARE(copiedAfterSelectAll(&view), QStringList(2, sent)); // Ctrl+C and the menu's Copy
        if (QApplication::clipboard()->supportsSelection()) {        // what a middle click pastes
            QTest::mouseRelease(view.viewport(), Qt::LeftButton);
            QTRY_COMPARE(QApplication::clipboard()->text(QClipboard::Selection), sent);
        }
        QTextCursor some = view.textCursor(); // a selection across two pieces
        some.setPosition(3);
        some.setPosition(view.document()->characterCount() - 4, QTextCursor::KeepAnchor);
        view.setTextCursor(some);
        QCOMPARE(log->selectedText(), sent.mid(3, sent.size() - 6));
        for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next()) {
            QVERIFY(b.length() <= LogView::softLineWidth + 1);
            if (b.next().isValid() && !entryEnd.isEmpty() && b != view.document()->begin())
                QVERIFY2(b.text().endsWith(entryEnd) && b.next().text().startsWith("0x"),
                         qPrintable(b.text().right(8) + "|" + b.next().text().left(8)));
        }
        QVERIFY(view.blockCount() >= 2 + int(sent.size() - 7) / LogView::softLineWidth);
    }

    // A burst larger than the view keeps, gathered before the view inserts any of it, in lines
    // longer than a piece or short ones: what the view keeps starts at a line that arrived and
    // holds all that came after it, exactly (a "\r\n" shows as one line end), at least a budget.
    void burstsKeepWholeLines_data()
    {
        QTest::addColumn<int>("lineLength"); // characters before the line end
        QTest::addColumn<double>("budgets"); // the burst's size
        for (int length : {40, 4000, 19000}) {
            for (double budgets : {1.2, 1.7, 5.0})
                QTest::addRow("%d-char-lines-%.1f-budgets", length, budgets) << length << budgets;
        }
    }
    void burstsKeepWholeLines()
    {
        QFETCH(int, lineLength);
        QFETCH(double, budgets);
        QString sent;
        for (int i = 0; sent.size() < budgets * LogView::budget; ++i) {
            const QString head = QString::number(i) + QLatin1Char(':');
            sent += head + QString(lineLength - head.size(), QLatin1Char('a' + i % 26)) + "\r\n";
        }
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        for (qsizetype i = 0; i < sent.size(); i += 4093) // odd: line ends are split too
            log->append(sent.mid(i, 4093));
        const QString arrived = QString(sent).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QString shown = log->text();
        QVERIFY(arrived.endsWith(shown));
        const qsizetype dropped = arrived.size() - shown.size();
        QVERIFY2(dropped == 0 || arrived.at(dropped - 1) == QLatin1Char('\n'), qPrintable(shown.left(40)));
        QVERIFY(shown.size() + shown.count(QLatin1Char('\n')) >=
                qMin(sent.size(), qsizetype(LogView::budget)));
        QCOMPARE(copiedAfterSelectAll(&view), QStringList(2, shown));
    }

    // The oldest waiting text is dropped at a "\r\n" whose two characters fall either side of
    // where the newest budget starts: the view starts at the line before, not at an empty one.
    void lineEndPartedWhereTheBudgetStarts()
    {
        const qsizetype excess = LogView::budget / 2 + 2; // what goes beyond the budget
        QString sent = QStringLiteral("123456789\n").repeated(excess / 10) + QLatin1Char('y');
        sent += QStringLiteral("\r\n"); // '\r' the last character that goes, '\n' the first that stays
        sent += QString(LogView::budget + excess - sent.size(), QLatin1Char('z'));
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        log->append(sent);
        QCOMPARE(log->text(), "y\n" + QString(sent.size() - sent.lastIndexOf('\n') - 1, QLatin1Char('z')));
    }

    // The line count cap counts lines, not the pieces a long line is shown in, and drops
    // whole lines.
    void lineCapCountsLines()
    {
        QPlainTextEdit capped;
        LogView* lines = LogView::attach(&capped, 4);
        const QString y(LogView::softLineWidth * 3 + 10, QLatin1Char('y'));
        lines->append("a\n" + y + "\nb\nc");
        QCOMPARE(lines->text(), "a\n" + y + "\nb\nc");
        lines->append("\nd");
        QCOMPARE(lines->text(), y + "\nb\nc\nd");
        lines->append("\ne");
        QCOMPARE(lines->text(), QStringLiteral("b\nc\nd\ne"));
        QCOMPARE(capped.blockCount(), 4);
    }

    // Lines, rich text and line counts: as the plain widgets would show them, within the limits.
    void linesAndRichText()
    {
        QTextEdit rich;
        LogView* log = LogView::attach(&rich, 3);
        for (int i = 0; i < 5; ++i)
            log->appendHtml(QStringLiteral("<font color='red'>%1</font>&lt;b&gt;").arg(i));
        QCOMPARE(log->text(), QStringLiteral("2<b>\n3<b>\n4<b>"));
        QCOMPARE(rich.document()->isUndoRedoEnabled(), false); // no history holds trimmed text
        QTextEdit big;
        LogView* bigLog = LogView::attach(&big);
        bigLog->appendHtml(QStringLiteral("big:") + QString(LogView::budget * 2, QLatin1Char('x')));
        QVERIFY(bigLog->text().size() <= LogView::budget * 3 / 2);
        QVERIFY(bigLog->text().endsWith(QString(LogView::budget, QLatin1Char('x'))));

        QPlainTextEdit plain;
        LogView* lines = LogView::attach(&plain);
        lines->insertHtml(QStringLiteral("<br><span>a</span>"));
        lines->insertHtml(QStringLiteral("<br><span>b</span>"));
        lines->appendLine(QStringLiteral("c"));
        QCOMPARE(lines->text(), QStringLiteral("\na\nb\nc"));
        QCOMPARE(plain.blockCount(), 4); // each entry its own line, never one growing line
        lines->append("\r\nd\r");        // a line end cut between two chunks is still one
        lines->append("\ne\r\n");
        QCOMPARE(lines->text(), QStringLiteral("\na\nb\nc\nd\ne\n"));
    }

    // The user's Clear takes what still waits as well; appends are shown at screen rate.
    void clearAndScreenRate()
    {
        QPlainTextEdit view;
        LogView* log = LogView::attach(&view);
        log->append(QStringLiteral("old"));
        log->flush();
        log->append(QStringLiteral(" waiting"));
        view.clear();
        log->append(QStringLiteral("new"));
        QCOMPARE(view.toPlainText(), QString());
        QTRY_COMPARE(view.toPlainText(), QStringLiteral("new"));
    }

    // Stream status texts: a burst ends on its newest text; a text shown meanwhile by
    // someone else is not overwritten by one still waiting.
    void streamStatusAtScreenRate()
    {
        QStatusBar bar;
        for (int i = 1; i <= 50; ++i)
            FrameStatus::show(&bar, QString::number(i));
        QTRY_COMPARE(bar.currentMessage(), QStringLiteral("50"));
        FrameStatus::show(&bar, QStringLiteral("chunk"));
        FrameStatus::show(&bar, QStringLiteral("later chunk")); // waits for the next frame
        bar.showMessage(QStringLiteral("cleared"));
        QVERIFY(!bar.findChild<QTimer*>()->isActive()); // nothing waits to overwrite it
        QCOMPARE(bar.currentMessage(), QStringLiteral("cleared"));
    }
};

QTEST_MAIN(TestLogView)
#include "tst_logview.moc"
