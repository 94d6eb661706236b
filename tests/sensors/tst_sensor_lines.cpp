// What the sensor boards send, decoded without a window: line assembly, colour, spectral, I2C
// and time-of-flight readings, and the CIE 1931 observer the colour diagram is drawn from.
#include <QTest>

#include <cmath>

#include "sensors/cie1931.h"
#include "sensors/cie_reading.h"
#include "sensors/i2cframe.h"
#include "sensors/lineassembler.h"
#include "sensors/spectra_reading.h"
#include "sensors/tof_frame.h"

using namespace TofFrame;
using Readings = QList<QPair<int, double>>;
using Expect = QList<QPair<int, int>>; // (pixel index, value)

namespace {

// "first,first+1,...," with a comma after every value, as the boards send it.
QByteArray ramp(int count, int first = 0, int step = 1)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += QByteArray::number(first + i * step) + ',';
    return line;
}

struct Tof
{
    QList<int> pixels = QList<int>(maxZones, -7); // -7: never written
    int filter[maxZones] = {};
    int decode(const QByteArray& line, int type, int filterIndex = 1)
    {
        return TofFrame::decode(line, type, filterIndex, pixels, filter);
    }
};

} // namespace

class TestSensorLines : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("pending");
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
        QVERIFY(assembler.feed("0123456789").isEmpty());
        QVERIFY(assembler.pending().size() <= 16);
        QCOMPARE(assembler.dropped(), 20);
        QCOMPARE(assembler.feed("tail\r\nnext\r\n"), QStringList{"next"});
        // A cap hit right before the line end still keeps the CR of that line end.
        QVERIFY(assembler.feed(QByteArray(20, 'x') + '\r').isEmpty());
        QCOMPARE(assembler.feed("\nok\r\n"), QStringList{"ok"});
        assembler.feed("half a li\xE5");
        assembler.clear();
        QCOMPARE(assembler.feed("ne\r\n"), QStringList{"ne"});
        LineAssembler lf(QStringLiteral("\n"));
        QCOMPARE(lf.feed("F1:1\r\nF2:2\n"), (QStringList{"F1:1\r", "F2:2"}));
    }

    void cieReadings_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("lux");
        QTest::addColumn<double>("cct");
        QTest::newRow("board-line") << "CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n"
                                    << 0.587309 << 0.424433 << 682.496 << 1763.247393;
        QTest::newRow("lower-case-blanks")
            << "  ciex : 0.587309 ; ciey: 0.424433;lux :682.496000;cct:1763.2  " << 0.587309 << 0.424433
            << 682.496 << 1763.2;
        QTest::newRow("other-order-empty-pair-trailing-comma")
            << "CCT:1763.2;;LUX:682.496000;CIEY:0.424433;CIEX:0.587309," << 0.587309 << 0.424433 << 682.496
            << 1763.2;
        QTest::newRow("unknown-key-two-colons-later-pair-wins")
            << "CIEX:0:5;R:12;CIEY:0.1;CIEY:0.3" << 0.0 << 0.3 << 0.0 << 0.0;
        QTest::newRow("unreadable-or-infinite")
            << "CIEX:a;CIEY:inf;LUX:c;CCT:1e999" << 0.0 << -1.0 << 0.0 << -1.0;
        QTest::newRow("nothing-usable") << "hello" << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void cieReadings()
    {
        QFETCH(QString, line);
        const CieReading r = CieReading::parse(line);
        QTEST(r.x, "x");
        QTEST(r.y, "y");
        QTEST(r.lux, "lux");
        QTEST(r.cct, "cct");
        if (line.contains("LUX:c"))
            QVERIFY(std::signbit(r.lux)); // an unreadable lux is -0
    }

    void observerTables()
    {
        // Spectral locus as the CIE publishes it (x, y to four places).
        const double locus[][3] = {{380, 0.1741, 0.0050}, {480, 0.0913, 0.1327}, {500, 0.0082, 0.5384},
                                   {520, 0.0743, 0.8338}, {580, 0.5125, 0.4866}, {700, 0.7347, 0.2653}};
        for (const auto& [nm, x, y] : locus) {
            const QPointF p = Cie1931::spectralChromaticity(int(nm));
            QVERIFY2(std::abs(p.x() - x) < 0.00006 && std::abs(p.y() - y) < 0.00006,
                     qPrintable(QString("%1 nm: %2 %3").arg(nm).arg(p.x()).arg(p.y())));
        }
        // Equal-energy white sits at (1/3, 1/3): the three functions have equal areas.
        double sums[3] = {};
        for (int nm = Cie1931::firstWavelength; nm <= Cie1931::lastWavelength; nm += Cie1931::step) {
            const Cie1931::Tristimulus t = Cie1931::matching(nm);
            sums[0] += t.x;
            sums[1] += t.y;
            sums[2] += t.z;
        }
        for (double sum : sums)
            QVERIFY2(std::abs(sum - 21.3714) < 0.001, qPrintable(QString::number(sum)));
        QCOMPARE(Cie1931::matching(555).y, 1.0);
        QCOMPARE(Cie1931::matching(556).y, 0.0);
        // Illuminant A is a 2856 K black body: (0.4476, 0.4074).
        const QPointF a = Cie1931::planckianChromaticity(2856);
        QVERIFY2(std::abs(a.x() - 0.4476) < 0.0003 && std::abs(a.y() - 0.4074) < 0.0003,
                 qPrintable(QString("%1 %2").arg(a.x()).arg(a.y())));
        QVERIFY(Cie1931::insideLocus({0.3333, 0.3333}) && Cie1931::insideLocus({0.2, 0.7}));
        QVERIFY(!Cie1931::insideLocus({0.7, 0.1}));   // below the line of purples
        QVERIFY(!Cie1931::insideLocus({0.05, 0.05})); // left of the blue end
        const Cie1931::Rgb8 white = Cie1931::displayColor({0.3127, 0.3290});
        QVERIFY(white.r > 250 && white.g > 250 && white.b > 250);
        const Cie1931::Rgb8 green = Cie1931::displayColor({0.2, 0.7});
        QVERIFY(green.g == 255 && green.r < 100 && green.b < 100);
    }

    void spectraReadings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Readings>("readings");
        QTest::newRow("f18") << "F18:1000" << Readings{{17, 1.0}};
        QTest::newRow("as7341-nir") << "NIR:250" << Readings{{8, 0.25}};
        QTest::newRow("as7343-extra-channels")
            << "FXL:1\r\nFZ:2\r\nFY:3" << Readings{{9, 0.001}, {10, 0.002}, {11, 0.003}};
        QTest::newRow("negative-passed-on") << "F2:-1500" << Readings{{1, -1.5}};
        QTest::newRow("lower-case-key") << "f1:500" << Readings{};
        QTest::newRow("blank-before-key") << " F1:500" << Readings{};
        QTest::newRow("fraction") << "F1:5.5" << Readings{};
        QTest::newRow("two-colons") << "F1:5:6" << Readings{};
        QTest::newRow("beyond-32-bits") << "F1:2147483648" << Readings{};
        QTest::newRow("unknown-key") << "F19:5" << Readings{};
    }
    void spectraReadings()
    {
        QFETCH(QString, text);
        QFETCH(Readings, readings);
        Readings got;
        for (const SpectraReading::Reading& r : SpectraReading::parse(text))
            got.append({r.channel, r.value});
        QCOMPARE(got, readings);
    }
    void spectraTypeCodes()
    {
        QCOMPARE(SpectraReading::typeCode("AS7265X"), quint8(2));
        QCOMPARE(SpectraReading::typeCode("as7341"), quint8(255));
    }

    void i2cByteLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // empty: refused
        QTest::newRow("mixed-case-digits") << "0x01,0x34,0xAb" << QByteArray::fromHex("0134ab");
        QTest::newRow("one-byte") << "0xff" << QByteArray::fromHex("ff");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("lone-digit") << "0x1" << QByteArray();
        QTest::newRow("three-digits") << "0x123" << QByteArray();
        QTest::newRow("trailing-comma") << "0x12," << QByteArray();
        QTest::newRow("no-prefix") << "12,34" << QByteArray();
        QTest::newRow("upper-case-prefix") << "0X12" << QByteArray();
        QTest::newRow("blank-after-comma") << "0x12, 0x34" << QByteArray();
        QTest::newRow("trailing-line-feed") << "0x12\n" << QByteArray();
        QTest::newRow("not-hex") << "0xzz" << QByteArray();
    }
    void i2cByteLists()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QByteArray got("untouched");
        QCOMPARE(I2cFrame::parseByteList(text, &got), !bytes.isEmpty());
        QCOMPARE(got, bytes.isEmpty() ? QByteArray("untouched") : bytes);
    }
    void i2cWriteFillsTheAdapterBuffer()
    {
        // The largest write fills the adapter's 512-byte buffer; one byte more is refused.
        const QByteArray largest = I2cFrame::writeRegisters(0x00, QByteArray(505, '\x01'));
        QCOMPARE(largest.size(), 512);
        QCOMPARE(largest.mid(3, 2), QByteArray::fromHex("01FA")); // 506 payload bytes
        QCOMPARE(quint8(largest.back()), quint8(505 % 256));
        QVERIFY(I2cFrame::writeRegisters(0x00, QByteArray(506, '\x01')).isEmpty());
    }

    void tofArrangements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("4x4") << "4x4" << 0 << 4 << 4;
        QTest::newRow("48x32-width-first") << "48x32" << 4 << 48 << 32;
        QTest::newRow("54x42-prefix") << "54x42 (VL53L9)" << 5 << 54 << 42;
        QTest::newRow("exact-texts-case-sensitive") << "4X4" << 1 << 8 << 8;
        QTest::newRow("exact-texts-no-prefix") << "16x16 " << 1 << 8 << 8;
    }
    void tofArrangements()
    {
        QFETCH(QString, text);
        const Arrangement a = arrangementFromText(text);
        QTEST(a.code, "code");
        QTEST(a.width, "width");
        QTEST(a.height, "height");
    }

    void tmf8828ZoneTable()
    {
        // The table as the datasheet lists it; a permutation of 0..63.
        const int table[64] = {56, 60, 40, 44, 24, 28, 8,  12, 57, 61, 41, 45, 25, 29, 9,  13,
                               58, 62, 42, 46, 26, 30, 10, 14, 59, 63, 43, 47, 27, 31, 11, 15,
                               48, 52, 32, 36, 16, 20, 0,  4,  49, 53, 33, 37, 17, 21, 1,  5,
                               50, 54, 34, 38, 18, 22, 2,  6,  51, 55, 35, 39, 19, 23, 3,  7};
        for (int i = 0; i < 64; ++i)
            QCOMPARE(tmf8828Index(i), table[i]);
    }

    void tofDecoding_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("shown");
        QTest::addColumn<Expect>("expect");
        QTest::newRow("vl53lmz-16-rows-of-4-reversed")
            << ramp(16, 1) << 0 << 16 << Expect{{0, 4}, {3, 1}, {4, 8}, {7, 5}, {15, 13}, {16, -7}};
        QTest::newRow("vl53lmz-256-only-first-64-mirrored")
            << ramp(256) << 0 << 256 << Expect{{0, 7}, {8, 15}, {63, 56}, {64, 64}, {255, 255}};
        QTest::newRow("vl53lmz-567-mirrors-8x8") << ramp(567) << 0 << 567 << Expect{{0, 7}, {566, 566}};
        QTest::newRow("no-trailing-comma") << ramp(16, 1).chopped(1) << 0 << 16 << Expect{{0, 4}};
        QTest::newRow("unreadable-value-is-0") << "x," + ramp(15, 2) << 0 << 16 << Expect{{3, 0}, {0, 4}};
        QTest::newRow("doubled-comma-yields-no-value") << "1,," + ramp(15, 2) << 0 << 16 << Expect{{3, 1}};
        QTest::newRow("tmf8828-2268-writes-first-64")
            << ramp(2268) << 1 << 2268 << Expect{{56, 0}, {0, 38}, {7, 63}, {64, -7}, {2267, -7}};
        QTest::newRow("tmf8828-16-rest-of-block-0") << ramp(16, 1) << 1 << 16 << Expect{{56, 1}, {48, 0}};
        QTest::newRow("tmf8829-1024-interleaved")
            << ramp(1024) << 2 << 1024 << Expect{{31, 31}, {64, 32}, {32, 512}, {1023, 1023}};
        QTest::newRow("tmf8829-1536-interleaved")
            << ramp(1536) << 2 << 1536 << Expect{{48, 768}, {1535, 1535}};
        QTest::newRow("tmf8829-2268-width-8-drops-tail")
            << ramp(2268) << 2 << 2268 << Expect{{1535, 1535}, {1536, 0}, {2267, 0}};
        QTest::newRow("tmf8829-567-no-reorder") << ramp(567) << 2 << 567 << Expect{{0, 0}, {566, 566}};
        // 576 values: zones are values 48 .. 527, shown as 20 rows of 24, each reversed.
        QTest::newRow("vl53l9-576-inner-zones")
            << ramp(576, 100) << 3 << 480 << Expect{{0, 171}, {23, 148}, {479, 604}, {480, -7}};
        QTest::newRow("unknown-type-decodes-nothing") << ramp(16) << 7 << 16 << Expect{{0, -7}};
        QTest::newRow("65-values-dropped") << ramp(65) << 0 << -1 << Expect{{0, -7}};
        QTest::newRow("empty-line-dropped") << QByteArray() << 0 << -1 << Expect{{0, -7}};
    }
    void tofDecoding()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        QFETCH(Expect, expect);
        Tof tof;
        QTEST(tof.decode(line, type), "shown");
        for (const auto& [index, value] : expect)
            QCOMPARE(tof.pixels.at(index), value);
    }

    void vl53l9Filter()
    {
        // Filter on: the first valid value is taken as is, then 3:7 with the history.
        Tof f;
        QCOMPARE(f.decode(ramp(2268, 2000, 0), Vl53l9), 2268);
        QCOMPARE(f.decode(ramp(2268, 1000, 0), Vl53l9), 2268);
        QCOMPARE(f.pixels.at(0), 1700);
        QCOMPARE(f.filter[0], 1700);
        // Out of range at either end: zone 0, history forgotten; both ends of 51..3999 valid.
        QCOMPARE(f.decode("50," + ramp(2267, 1000, 0), Vl53l9), 2268);
        QCOMPARE(f.pixels.at(53), 0); // zone 0 after mirroring row 0 of width 54
        QCOMPARE(f.filter[0], 0);
        f.decode(ramp(2268, 51, 0), Vl53l9);
        QCOMPARE(f.pixels.at(53), 51); // no history: taken as is
        f.decode(ramp(2268, 4000, 0), Vl53l9);
        QCOMPARE(f.pixels.at(0), 0);
        f.decode("abc," + ramp(2267, 3999, 0), Vl53l9);
        QCOMPARE(f.pixels.at(53), 0);
        QCOMPARE(f.pixels.at(52), 3999);
        // Filter off keeps the raw value but still records it; 567 values are not mirrored.
        Tof raw;
        raw.decode(ramp(567, 2000, 0), Vl53l9, 0);
        QCOMPARE(raw.decode(ramp(567, 1000), Vl53l9, 0), 567);
        QCOMPARE(raw.pixels.at(0), 1000);
        QCOMPARE(raw.filter[566], 1566);
    }
};

QTEST_GUILESS_MAIN(TestSensorLines)
#include "tst_sensor_lines.moc"
