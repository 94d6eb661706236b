// The line assembler every text console feeds its serial chunks to.
#include <QTest>

#include "sensors/lineassembler.h"

class TestLineAssembler : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("pending");
        QTest::newRow("one-line") << QByteArrayList{"F1:12\r\n"} << QStringList{"F1:12"} << "";
        QTest::newRow("two-lines-one-chunk") << QByteArrayList{"a\r\nb\r\nc"} << QStringList{"a", "b"} << "c";
        QTest::newRow("split-across-three-reads")
            << QByteArrayList{"CIEX:0.5", ";CIEY:", "0.4\r\n"} << QStringList{"CIEX:0.5;CIEY:0.4"} << "";
        QTest::newRow("crlf-split-across-reads")
            << QByteArrayList{"1,2,3\r", "\n4,5"} << QStringList{"1,2,3"} << "4,5";
        QTest::newRow("lone-cr-or-lf-is-no-line-end")
            << QByteArrayList{"a\rb\nc"} << QStringList{} << "a\rb\nc";
        QTest::newRow("empty-line-kept") << QByteArrayList{"\r\n\r\nx\r\n"} << QStringList{"", "", "x"} << "";
        QTest::newRow("utf8-split-inside-a-character")
            << QByteArrayList{"\xE5\xBC", "\x80\r\n"} << QStringList{QString::fromUtf8("\xE5\xBC\x80")} << "";
    }
    void lines()
    {
        QFETCH(QByteArrayList, chunks);
        LineAssembler assembler;
        QStringList got;
        for (const QByteArray& chunk : chunks)
            got += assembler.feed(chunk);
        QTEST(got, "lines");
        QTEST(assembler.pending(), "pending");
    }

    void overlongLineIsDroppedUpToItsEnd()
    {
        LineAssembler assembler(QStringLiteral("\r\n"), 16);
        QVERIFY(assembler.feed("0123456789").isEmpty());
        // Past the cap: nothing more is kept, and the tail of that line never comes out.
        QVERIFY(assembler.feed("0123456789").isEmpty());
        QVERIFY(assembler.pending().size() <= 16);
        QCOMPARE(assembler.dropped(), 20);
        QCOMPARE(assembler.feed("tail\r\nnext\r\n"), QStringList{"next"});
        // A cap hit right before the line end still keeps the CR of that line end.
        QVERIFY(assembler.feed(QByteArray(20, 'x') + '\r').isEmpty());
        QCOMPARE(assembler.feed("\nok\r\n"), QStringList{"ok"});
    }

    void clearForgetsPendingText()
    {
        LineAssembler assembler;
        assembler.feed("half a li");
        assembler.feed("\xE5"); // and half a character
        assembler.clear();
        QCOMPARE(assembler.feed("ne\r\n"), QStringList{"ne"});
    }

    void otherSeparator()
    {
        LineAssembler assembler(QStringLiteral("\n"));
        QCOMPARE(assembler.feed("F1:1\r\nF2"), QStringList{"F1:1\r"});
        QCOMPARE(assembler.feed(":2\n"), QStringList{"F2:2"});
    }
};

QTEST_GUILESS_MAIN(TestLineAssembler)
#include "tst_lineassembler.moc"
