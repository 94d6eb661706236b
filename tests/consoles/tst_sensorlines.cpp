// Line assembly and the line formats of the environment, oscilloscope and IMU boards.
#include <QTest>

#include <cmath>

#include "sensors/lineassembler.h"
#include "sensors/envline.h"
#include "sensors/gbktext.h"
#include "sensors/imuline.h"
#include "sensors/oscline.h"

using Chunks = QList<QByteArray>;
using Lines = QList<QByteArray>;
using Doubles = QList<double>;
using Quantity = EnvLine::Quantity;
Q_DECLARE_METATYPE(EnvLine::Quantity)

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
        QTest::newRow("two-lines-one-chunk") << Chunks{"a\r\nb\r\n"} << Lines{"a", "b"} << QByteArray();
        QTest::newRow("crlf-split-across-reads")
            << Chunks{"a\r", "\nb\r\n"} << Lines{"a", "b"} << QByteArray();
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
        QVERIFY(assembler.pending().isEmpty()); // 80 bytes without an end: gone
        // The rest of that line is no line; the stream recovers with the next whole one,
        // and a long chunk of whole lines is fine.
        QByteArray many;
        for (int i = 0; i < 100; ++i)
            many += "line\r\n";
        QCOMPARE(assembler.feed("tail\r\n" + many).size(), 100);
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
        QTest::newRow("noise-before-frame")
            << QByteArray("\x01zz$1:9;$0:1;$1:2;$2:3;$3:4;") << true << Doubles{1, 2, 3, 4};
        QTest::newRow("nul-in-value")
            << QByteArray("$0:1\0002;$1:2;$2:3;$3:4;", 22) << true << Doubles{0, 2, 3, 4};
        QTest::newRow("no-frame") << QByteArray("$1:2;$2:3;$3:4;") << false << Doubles{};
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

    void envLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("known");
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<double>("value");
        auto row = [](const char* name, const QByteArray& line, Quantity q, double value) {
            QTest::newRow(name) << line << true << q << value;
        };
        row("temperature", "Temperature:25.30C", Quantity::Temperature, 25.3);
        row("humidity", "Humidity:48.20%", Quantity::Humidity, 48.2);
        row("barometer-with-decimals-reads-0", "Barometer:1013.25Pa", Quantity::Barometer, 0);
        row("ultraviolet-not-a-number", "Ultraviolet:high", Quantity::Ultraviolet, 0);
        row("co2-beyond-32-bits-reads-0", "CO2:4294967296ppm", Quantity::CO2, 0);
        row("temperature-nan-reads-0", "Temperature:nanC", Quantity::Temperature, 0);
        row("noise-before-key", "\xff\x01Humidity:50%", Quantity::Humidity, 50);
        row("nul-in-value-reads-0", QByteArray("TVOC:1\0002ppb", 11), Quantity::TVOC, 0);
        auto none = [](const char* name, const QByteArray& line) {
            QTest::newRow(name) << line << false << Quantity::Humidity << 0.0;
        };
        none("wrong-unit", "Temperature:25.3F");
        none("unit-not-at-end", "Humidity:48%x");
        none("lower-case-key", "humidity:50%");
    }

    void envLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, known);
        QFETCH(Quantity, quantity);
        QFETCH(double, value);
        const std::optional<EnvLine::Reading> got = EnvLine::parse(line);
        QCOMPARE(got.has_value(), known);
        if (!got)
            return;
        QCOMPARE(got->quantity, quantity);
        QCOMPARE(got->value, value);
    }

    // "温度" is CE C2 B6 C8 in GBK (GB 2312 code points).
    void gbkCharacterCutBetweenChunks()
    {
        GbkTextDecoder decoder;
        QCOMPARE(decoder.decode("T\xCE"), QStringLiteral("T"));
        QCOMPARE(decoder.decode("\xC2\xB6\xC8:25C\r\n"), QString::fromUtf8("温度:25C\r\n"));
    }

    // Expected angles by hand: a rotation by 2a about an axis is (cos a, sin a * axis); the
    // toolkit reports the angle about X as pitch, about Y as yaw, about Z as roll.
    void imuLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("recognised");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Doubles>("components");
        QTest::addColumn<Doubles>("angles"); // about X, Y, Z
        auto row = [](const char* name, const QByteArray& line, bool valid, Doubles q, Doubles a) {
            QTest::newRow(name) << line << true << valid << q << a;
        };
        row("reference", "W:1.0, X:0, Y:0, Z:0", true, {1, 0, 0, 0}, {0, 0, 0});
        row("sixty-degrees-about-x", "W:0.8660254,X:0.5,Y:0,Z:0", true, {0.8660254, 0.5, 0, 0}, {60, 0, 0});
        row("negative-thirty-about-z", "W:0.9659258 , X:0 , Y:0 , Z:-0.2588190", true,
            {0.9659258, 0, 0, -0.258819}, {0, 0, -30});
        row("blanks-and-line-breaks", "  W:  1 ,\tX: 0,\r\nY:0 ,  Z:0  ", true, {1, 0, 0, 0}, {0, 0, 0});
        row("first-of-two-frames", "W:1,X:0,Y:0,Z:0 W:0,X:1,Y:0,Z:0", true, {1, 0, 0, 0}, {0, 0, 0});
        row("overflowing-component", "W:1" + QByteArray(400, '0') + ",X:0,Y:0,Z:0", false, {}, {0, 0, 0});
        auto none = [](const char* name, const QByteArray& line) {
            QTest::newRow(name) << line << false << false << Doubles{} << Doubles{};
        };
        none("semicolons", "W:1;X:0;Y:0;Z:0");
        none("lower-case", "w:1,x:0,y:0,z:0");
        none("plus-sign", "W:+1,X:0,Y:0,Z:0");
        none("no-digit-before-point", "W:.5,X:0,Y:0,Z:0");
    }

    void imuLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, recognised);
        QFETCH(bool, valid);
        QFETCH(Doubles, components);
        QFETCH(Doubles, angles);
        const std::optional<ImuLine::Frame> frame = ImuLine::parse(line);
        QCOMPARE(frame.has_value(), recognised);
        if (!frame)
            return;
        QCOMPARE(frame->valid, valid);
        if (!components.isEmpty())
            QCOMPARE((Doubles{frame->w, frame->x, frame->y, frame->z}), components);
        const Doubles got{frame->angles.pitch, frame->angles.yaw, frame->angles.roll};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(std::abs(got[i] - angles[i]) < 0.01, qPrintable(QString::number(got[i])));
    }
};

QTEST_GUILESS_MAIN(TestSensorLines)
#include "tst_sensorlines.moc"
