// The bounded receive log: what it keeps, where it cuts, what Export gets.
#include <QApplication>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

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
        // Only line breaks may be added, and only to cut long lines.
        QString bare = shown, sentBare = sent;
        bare.remove(QLatin1Char('\n'));
        sentBare.remove(QLatin1Char('\n'));
        QVERIFY(sentBare.endsWith(bare));
        QVERIFY(shown.size() >= qMin(sent.size(), qsizetype(LogView::budget)));
        QVERIFY(shown.size() <= LogView::budget * 3 / 2 + LogView::lineWidth);
        QVERIFY(!hasLoneSurrogate(shown));
        for (const QString& line : shown.split(QLatin1Char('\n')))
            QVERIFY(line.size() <= LogView::lineWidth + 1);
        if (sent.size() <= LogView::budget)
            QCOMPARE(shown, sent);
    }

    // Lines, rich text and line counts: as the plain widgets would show them, within the limits.
    void linesAndRichText()
    {
        QTextEdit rich;
        LogView* log = LogView::attach(&rich, 3);
        for (int i = 0; i < 5; ++i)
            log->appendHtml(QStringLiteral("<font color='red'>%1</font>&lt;b&gt;").arg(i));
        QCOMPARE(log->text(), QStringLiteral("2<b>\n3<b>\n4<b>"));
        log->appendHtml(QStringLiteral("big:") + QString(LogView::budget * 2, QLatin1Char('x')));
        QVERIFY(log->text().size() <= LogView::budget * 3 / 2 + LogView::lineWidth);
        QVERIFY(log->text().remove(QLatin1Char('\n')).endsWith(QString(3000, QLatin1Char('x'))));
        QCOMPARE(rich.document()->isUndoRedoEnabled(), false); // no history holds trimmed text

        QPlainTextEdit plain;
        LogView* lines = LogView::attach(&plain);
        lines->insertHtml(QStringLiteral("<br><span>a</span>"));
        lines->insertHtml(QStringLiteral("<br><span>b</span>"));
        lines->appendLine(QStringLiteral("c"));
        QCOMPARE(lines->text(), QStringLiteral("\na\nb\nc"));
        QCOMPARE(plain.blockCount(), 4); // each entry its own line, never one growing line
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
