// Line assembly and the line formats of the environment, oscilloscope and IMU boards.
#include <QTest>

#include "sensors/lineassembler.h"
#include "sensors/envline.h"
#include "sensors/imuline.h"
#include "sensors/oscline.h"

using Chunks = QList<QByteArray>;
using Lines = QList<QByteArray>;
using Doubles = QList<double>;
using Quantity = EnvLine::Quantity;

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
        QTest::newRow("crlf-split-across-reads") << Chunks{"a\r", "\nb\r\n"} << Lines{"a", "b"} << QByteArray();
        QTest::newRow("unfinished-line-waits") << Chunks{"a\r\nbc"} << Lines{"a"} << QByteArray("bc");
        QTest::newRow("bare-lf-is-no-end") << Chunks{"a\nb\r\n"} << Lines{"a\nb"} << QByteArray();
        QTest::newRow("cr-before-crlf-stays") << Chunks{"a\r\r\n"} << Lines{"a\r"} << QByteArray();
        QTest::newRow("nul-inside-line")
            << Chunks{QByteArray("a\0b\r\n", 5)} << Lines{QByteArray("a\0b", 3)} << QByteArray();
    }

    void assembler()
    {
        QFETCH(Chunks, chunks);
        QFETCH(Lines, lines);
        QFETCH(QByteArray, pending);
        ByteLineAssembler assembler;
        Lines got;
        for (const QByteArray& chunk : chunks)
            got += assembler.feed(chunk);
        QCOMPARE(got, lines);
        QCOMPARE(assembler.pending(), pending);
    }

    void assemblerDropsAnOverlongLine()
    {
        ByteLineAssembler assembler(QByteArrayLiteral("\r\n"), 64);
        QVERIFY(assembler.feed(QByteArray(40, 'x')).isEmpty());
        QVERIFY(assembler.feed(QByteArray(40, 'x')).isEmpty());
        QVERIFY(assembler.pending().isEmpty());
        // The rest of that line is no line; a long chunk of whole lines after it is fine.
        QCOMPARE(assembler.feed("tail\r\n" + QByteArray("line\r\n").repeated(100)).size(), 100);
    }

    void oscLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<Doubles>("values"); // empty: no frame
        QTest::newRow("four-values") << QByteArray("$0:1.5;$1:-2;$2:3;$3:4;") << Doubles{1.5, -2, 3, 4};
        QTest::newRow("nan-and-infinities") << QByteArray("$0:nan;$1:inf;$2:-inf;$3:1e999;") << Doubles{0, 0, 0, 0};
        QTest::newRow("missing-tag-zeroes-the-rest") << QByteArray("$0:1;$2:3;$3:4;") << Doubles{1, 0, 0, 0};
        QTest::newRow("noise-before-frame") << QByteArray("\x01zz$1:9;$0:1;$1:2;$2:3;$3:4;") << Doubles{1, 2, 3, 4};
        QTest::newRow("nul-in-value") << QByteArray("$0:1\0002;$1:2;$2:3;$3:4;", 22) << Doubles{0, 2, 3, 4};
        QTest::newRow("no-frame") << QByteArray("$1:2;$2:3;$3:4;") << Doubles{};
    }

    void oscLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(Doubles, values);
        const std::optional<OscLine::Values> got = OscLine::parse(line);
        QCOMPARE(got ? Doubles(got->begin(), got->end()) : Doubles{}, values);
    }

    void envLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("quantity"); // -1: no known reading
        QTest::addColumn<double>("value");
        const auto row = [](const char* name, const QByteArray& line, int q, double value) {
            QTest::newRow(name) << line << q << value;
        };
        row("temperature", "Temperature:25.30C", int(Quantity::Temperature), 25.3);
        row("barometer-with-decimals-reads-0", "Barometer:1013.25Pa", int(Quantity::Barometer), 0);
        row("ultraviolet-not-a-number", "Ultraviolet:high", int(Quantity::Ultraviolet), 0);
        row("co2-beyond-32-bits-reads-0", "CO2:4294967296ppm", int(Quantity::CO2), 0);
        row("noise-before-key", "\xff\x01Humidity:50%", int(Quantity::Humidity), 50);
        row("nul-in-value-reads-0", QByteArray("TVOC:1\0002ppb", 11), int(Quantity::TVOC), 0);
        row("wrong-unit", "Temperature:25.3F", -1, 0);
        row("unit-not-at-end", "Humidity:48%x", -1, 0);
        row("lower-case-key", "humidity:50%", -1, 0);
    }

    void envLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, quantity);
        QFETCH(double, value);
        const std::optional<EnvLine::Reading> got = EnvLine::parse(line);
        QCOMPARE(got ? int(got->quantity) : -1, quantity);
        QCOMPARE(got ? got->value : 0.0, value);
    }

    // The angles are checked with the attitude maths and on the IMU tab.
    void imuLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("recognised");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Doubles>("components");
        auto row = [](const char* name, const QByteArray& line, bool valid, Doubles q) {
            QTest::newRow(name) << line << true << valid << q;
        };
        row("reference", "W:1.0, X:0, Y:0, Z:0", true, {1, 0, 0, 0});
        row("no-blanks", "W:0.8660254,X:0.5,Y:0,Z:-0.25", true, {0.8660254, 0.5, 0, -0.25});
        row("blanks-and-line-breaks", "  W:  1 ,\tX: 0,\r\nY:0 ,  Z:0  ", true, {1, 0, 0, 0});
        row("first-of-two-frames", "W:1,X:0,Y:0,Z:0 W:0,X:1,Y:0,Z:0", true, {1, 0, 0, 0});
        row("overflowing-component", "W:1" + QByteArray(400, '0') + ",X:0,Y:0,Z:0", false, {});
        for (const char* none : {"W:1;X:0;Y:0;Z:0", "w:1,x:0,y:0,z:0", "W:+1,X:0,Y:0,Z:0", "W:.5,X:0,Y:0,Z:0"})
            QTest::newRow(none) << QByteArray(none) << false << false << Doubles{};
    }

    void imuLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, recognised);
        QFETCH(bool, valid);
        QFETCH(Doubles, components);
        const std::optional<ImuLine::Frame> frame = ImuLine::parse(line);
        QCOMPARE(frame.has_value(), recognised);
        if (!frame)
            return;
        QCOMPARE(frame->valid, valid);
        if (valid)
            QCOMPARE((Doubles{frame->w, frame->x, frame->y, frame->z}), components);
        else // no NaN angles on the labels
            QCOMPARE((Doubles{frame->angles.pitch, frame->angles.yaw, frame->angles.roll}), Doubles(3, 0.0));
    }
};

QTEST_GUILESS_MAIN(TestSensorLines)
#include "tst_console_lines.moc"
