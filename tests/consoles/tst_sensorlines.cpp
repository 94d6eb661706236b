// Line assembly and the line formats of the environment, oscilloscope and IMU boards.
#include <QTest>

#include <cmath>

#include "sensors/crlflines.h"
#include "sensors/oscline.h"

using Chunks = QList<QByteArray>;
using Lines = QList<QByteArray>;
using Doubles = QList<double>;

class TestSensorLines : public QObject
{
    Q_OBJECT
private slots:
    // The contract every console relies on: lines end with CR LF, wherever the reads cut.
    void assembler_data()
    {
        QTest::addColumn<Chunks>("chunks");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QByteArray>("pending");
        QTest::newRow("one-line") << Chunks{"abc\r\n"} << Lines{"abc"} << QByteArray();
        QTest::newRow("two-lines-one-chunk") << Chunks{"a\r\nb\r\n"} << Lines{"a", "b"} << QByteArray();
        QTest::newRow("crlf-split-across-reads")
            << Chunks{"a\r", "\nb\r\n"} << Lines{"a", "b"} << QByteArray();
        QTest::newRow("line-split-in-three")
            << Chunks{"$0:1;", "$1:2", ";\r\n"} << Lines{"$0:1;$1:2;"} << QByteArray();
        QTest::newRow("unfinished-line-waits") << Chunks{"a\r\nbc"} << Lines{"a"} << QByteArray("bc");
        QTest::newRow("bare-lf-is-no-end") << Chunks{"a\nb\r\n"} << Lines{"a\nb"} << QByteArray();
        QTest::newRow("bare-cr-is-no-end") << Chunks{"a\rb"} << Lines{} << QByteArray("a\rb");
        QTest::newRow("cr-before-crlf-stays") << Chunks{"a\r\r\n"} << Lines{"a\r"} << QByteArray();
        QTest::newRow("empty-line") << Chunks{"\r\n\r\n"} << Lines{"", ""} << QByteArray();
        QTest::newRow("nul-inside-line")
            << Chunks{QByteArray("a\0b\r\n", 5)} << Lines{QByteArray("a\0b", 3)} << QByteArray();
        QTest::newRow("one-byte-reads")
            << Chunks{"x", "y", "\r", "\n", "z"} << Lines{"xy"} << QByteArray("z");
    }

    void assembler()
    {
        QFETCH(Chunks, chunks);
        QFETCH(Lines, lines);
        QFETCH(QByteArray, pending);
        CrlfLineAssembler assembler;
        Lines got;
        for (const QByteArray& chunk : chunks)
            got += assembler.feed(chunk);
        QCOMPARE(got, lines);
        QCOMPARE(assembler.pending(), pending);
    }

    void assemblerDropsAnOverlongLine()
    {
        CrlfLineAssembler assembler(64);
        QVERIFY(assembler.feed(QByteArray(40, 'x')).isEmpty());
        QVERIFY(assembler.feed(QByteArray(40, 'x')).isEmpty());
        QVERIFY(assembler.pending().isEmpty()); // 80 bytes without an end: gone
        // The stream recovers with the next whole line; a long chunk of whole lines is fine.
        QByteArray many;
        for (int i = 0; i < 100; ++i)
            many += "line\r\n";
        QCOMPARE(assembler.feed("tail\r\n" + many).size(), 101);
    }

    void oscLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("isFrame");
        QTest::addColumn<Doubles>("values");
        QTest::newRow("four-values") << QByteArray("$0:1.5;$1:-2;$2:3;$3:4;") << true
                                     << Doubles{1.5, -2, 3, 4};
        QTest::newRow("two-tags") << QByteArray("$0:7;$1:8;") << true << Doubles{7, 8, 0, 0};
        QTest::newRow("not-a-number") << QByteArray("$0:abc;$1:2;$2:3;$3:4;") << true << Doubles{0, 2, 3, 4};
        QTest::newRow("nan-and-infinities")
            << QByteArray("$0:nan;$1:inf;$2:-inf;$3:1e999;") << true << Doubles{0, 0, 0, 0};
        QTest::newRow("missing-tag-zeroes-the-rest")
            << QByteArray("$0:1;$2:3;$3:4;") << true << Doubles{1, 0, 0, 0};
        QTest::newRow("tags-in-any-order")
            << QByteArray("$0:1;$3:4;$2:3;$1:2;") << true << Doubles{1, 2, 3, 4};
        QTest::newRow("noise-before-frame")
            << QByteArray("\x01zz$1:9;$0:1;$1:2;$2:3;$3:4;") << true << Doubles{1, 2, 3, 4};
        QTest::newRow("last-value-without-semicolon")
            << QByteArray("$0:1;$1:2;$2:3;$3:-4.5") << true << Doubles{1, 2, 3, -4.5};
        QTest::newRow("exponent-and-blanks")
            << QByteArray("$0: 1e3 ;$1:-2.5E-1;$2:+3;$3:.5;") << true << Doubles{1000, -0.25, 3, 0.5};
        QTest::newRow("decimal-comma-is-no-number")
            << QByteArray("$0:1,5;$1:2;$2:3;$3:4;") << true << Doubles{0, 2, 3, 4};
        QTest::newRow("nul-in-value")
            << QByteArray("$0:1\0002;$1:2;$2:3;$3:4;", 22) << true << Doubles{0, 2, 3, 4};
        QTest::newRow("no-frame") << QByteArray("$1:2;$2:3;$3:4;") << false << Doubles{};
        QTest::newRow("empty") << QByteArray() << false << Doubles{};
    }

    void oscLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, isFrame);
        QFETCH(Doubles, values);
        const std::optional<OscLine::Values> got = OscLine::parse(line);
        QCOMPARE(got.has_value(), isFrame);
        if (!got)
            return;
        QCOMPARE(Doubles(got->begin(), got->end()), values);
    }
};

QTEST_GUILESS_MAIN(TestSensorLines)
#include "tst_sensorlines.moc"
