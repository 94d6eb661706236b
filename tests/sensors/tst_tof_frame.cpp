// Frame lines of the time-of-flight boards, decoded by sensor family.
#include <QTest>

#include <numeric>

#include "sensors/tof_frame.h"

using namespace TofFrame;

namespace {

// "first,first+1,...," with a comma after every value, as the boards send it.
QByteArray ramp(int count, int first = 0)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += QByteArray::number(first + i) + ',';
    return line;
}

QByteArray repeat(int count, int value)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += QByteArray::number(value) + ',';
    return line;
}

struct Rig
{
    QList<int> pixels = QList<int>(maxZones, -7); // -7: never written
    int filter[maxZones] = {};
    int decode(const QByteArray& line, int type, int filterIndex = 1)
    {
        return TofFrame::decode(line, type, filterIndex, pixels, filter);
    }
};

using Expect = QList<QPair<int, int>>; // (pixel index, value)

} // namespace

class TestTofFrame : public QObject
{
    Q_OBJECT
private slots:
    void arrangements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("4x4") << "4x4" << 0 << 4 << 4;
        QTest::newRow("48x32-width-first") << "48x32" << 4 << 48 << 32;
        QTest::newRow("54x42-prefix") << "54x42 (VL53L9)" << 5 << 54 << 42;
        QTest::newRow("24x20") << "24x20" << 6 << 24 << 20;
        QTest::newRow("exact-texts-case-sensitive") << "4X4" << 1 << 8 << 8;
        QTest::newRow("exact-texts-no-prefix") << "16x16 " << 1 << 8 << 8;
        QTest::newRow("empty") << "" << 1 << 8 << 8;
    }
    void arrangements()
    {
        QFETCH(QString, text);
        const Arrangement a = arrangementFromText(text);
        QTEST(a.code, "code");
        QTEST(a.width, "width");
        QTEST(a.height, "height");
    }

    void zoneTables()
    {
        // The TMF8828 table as the datasheet lists it; a permutation of 0..63.
        const int table[64] = {56, 60, 40, 44, 24, 28, 8,  12, 57, 61, 41, 45, 25, 29, 9,  13,
                               58, 62, 42, 46, 26, 30, 10, 14, 59, 63, 43, 47, 27, 31, 11, 15,
                               48, 52, 32, 36, 16, 20, 0,  4,  49, 53, 33, 37, 17, 21, 1,  5,
                               50, 54, 34, 38, 18, 22, 2,  6,  51, 55, 35, 39, 19, 23, 3,  7};
        for (int i = 0; i < 64; ++i)
            QCOMPARE(tmf8828Index(i), table[i]);
        // TMF8829 interleave, by hand: the second half of a frame fills the odd rows.
        QCOMPARE(tmf8829CorrectedIndex(31, 32), 31);
        QCOMPARE(tmf8829CorrectedIndex(32, 32), 64);
        QCOMPARE(tmf8829CorrectedIndex(512, 32), 32);
        QCOMPARE(tmf8829CorrectedIndex(1023, 32), 1023);
        QCOMPARE(tmf8829CorrectedIndex(768, 48), 48);
        QCOMPARE(tmf8829CorrectedIndex(1535, 48), 1535);
        QCOMPARE(tmf8829CorrectedIndex(200, 16), 200);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("shown");
        QTest::addColumn<Expect>("expect");
        QTest::newRow("vl53lmz-16-rows-of-4-reversed")
            << ramp(16, 1) << 0 << 16 << Expect{{0, 4}, {3, 1}, {4, 8}, {7, 5}, {15, 13}, {16, -7}};
        QTest::newRow("vl53lmz-64-rows-of-8-reversed")
            << ramp(64) << 0 << 64 << Expect{{0, 7}, {7, 0}, {8, 15}, {63, 56}, {64, -7}};
        QTest::newRow("vl53lmz-256-only-first-64-mirrored")
            << ramp(256) << 0 << 256 << Expect{{0, 7}, {63, 56}, {64, 64}, {255, 255}};
        QTest::newRow("vl53lmz-567-mirrors-8x8") << ramp(567) << 0 << 567 << Expect{{0, 7}, {566, 566}};
        QTest::newRow("vl53lmz-no-trailing-comma") << ramp(16, 1).chopped(1) << 0 << 16 << Expect{{0, 4}};
        QTest::newRow("unreadable-value-is-0")
            << QByteArray("x,") + ramp(15, 2) << 0 << 16 << Expect{{3, 0}, {0, 4}};
        QTest::newRow("doubled-comma-yields-no-value")
            << QByteArray("1,,") + ramp(15, 2) << 0 << 16 << Expect{{3, 1}};
        QTest::newRow("tmf8828-64-zone-table")
            << ramp(64) << 1 << 64 << Expect{{56, 0}, {60, 1}, {0, 38}, {7, 63}, {64, -7}};
        QTest::newRow("tmf8828-2268-writes-first-64")
            << ramp(2268) << 1 << 2268 << Expect{{56, 0}, {7, 63}, {64, -7}, {2267, -7}};
        QTest::newRow("tmf8828-16-rest-of-block-0") << ramp(16, 1) << 1 << 16 << Expect{{56, 1}, {48, 0}};
        QTest::newRow("tmf8829-1024-interleaved")
            << ramp(1024) << 2 << 1024 << Expect{{31, 31}, {64, 32}, {32, 512}, {1023, 1023}};
        QTest::newRow("tmf8829-1536-interleaved")
            << ramp(1536) << 2 << 1536 << Expect{{48, 768}, {1535, 1535}};
        QTest::newRow("tmf8829-2268-width-8-drops-tail")
            << ramp(2268) << 2 << 2268 << Expect{{1535, 1535}, {1536, 0}, {2267, 0}};
        QTest::newRow("tmf8829-567-no-reorder") << ramp(567) << 2 << 567 << Expect{{0, 0}, {566, 566}};
        QTest::newRow("unknown-type-decodes-nothing") << ramp(16) << 7 << 16 << Expect{{0, -7}};
        QTest::newRow("65-values-dropped") << ramp(65) << 0 << -1 << Expect{{0, -7}};
        QTest::newRow("empty-line-dropped") << QByteArray() << 0 << -1 << Expect{{0, -7}};
    }
    void decoding()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        QFETCH(Expect, expect);
        Rig rig;
        QTEST(rig.decode(line, type), "shown");
        for (const auto& [index, value] : expect)
            QCOMPARE(rig.pixels.at(index), value);
    }

    void vl53l9()
    {
        Rig rig;
        // 576 values: zones are values 48 .. 527, shown as 20 rows of 24, each reversed.
        QCOMPARE(rig.decode(ramp(576, 100), Vl53l9), 480);
        QCOMPARE(rig.pixels.at(0), 148 + 23);
        QCOMPARE(rig.pixels.at(23), 148);
        QCOMPARE(rig.pixels.at(479), 148 + 456);
        QCOMPARE(rig.pixels.at(480), -7);

        // Filter on: the first valid value is taken as is, then 3:7 with the history.
        Rig f;
        QCOMPARE(f.decode(repeat(2268, 2000), Vl53l9, 1), 2268);
        QCOMPARE(f.decode(repeat(2268, 1000), Vl53l9, 1), 2268);
        QCOMPARE(f.pixels.at(0), 1700);
        QCOMPARE(f.filter[0], 1700);
        // Out of range at either end: zone 0, history forgotten; both ends of 51..3999 valid.
        QByteArray line = repeat(2268, 1000);
        line.replace(0, 5, "50,");
        QCOMPARE(f.decode(line, Vl53l9, 1), 2268);
        QCOMPARE(f.pixels.at(53), 0); // zone 0 after mirroring row 0 of width 54
        QCOMPARE(f.filter[0], 0);
        QCOMPARE(f.decode(repeat(2268, 51), Vl53l9, 1), 2268);
        QCOMPARE(f.pixels.at(53), 51); // no history: taken as is
        QCOMPARE(f.decode(repeat(2268, 4000), Vl53l9, 1), 2268);
        QCOMPARE(f.pixels.at(0), 0);
        QCOMPARE(f.decode(QByteArray("abc,") + repeat(2267, 3999), Vl53l9, 1), 2268);
        QCOMPARE(f.pixels.at(53), 0);
        QCOMPARE(f.pixels.at(52), 3999);

        // Filter off keeps the raw value but still records it; 567 values are not mirrored.
        Rig raw;
        QCOMPARE(raw.decode(repeat(567, 2000), Vl53l9, 0), 567);
        QCOMPARE(raw.decode(ramp(567, 1000), Vl53l9, 0), 567);
        QCOMPARE(raw.pixels.at(0), 1000);
        QCOMPARE(raw.filter[566], 1566);
    }
};

QTEST_GUILESS_MAIN(TestTofFrame)
#include "tst_tof_frame.moc"
