// The sensor boards' lines decoded without a window (line assembly, environment, oscilloscope, IMU,
// colour, spectral and time-of-flight lines, the I2C adapter's frames, the CIE 1931 observer), then
// the sensor tabs against a pseudo-terminal playing the board, and the CIE 1931 diagram widget.
#include <QBarSet>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPolygonF>
#include <QRegularExpression>
#include <QTextBlock>

#include <cmath>
#include <functional>

#include "sensors/cie1931.h"
#include "sensors/cie_reading.h"
#include "sensors/envline.h"
#include "sensors/i2cdump_dialogs_form.h"
#include "sensors/i2cframe.h"
#include "sensors/imuline.h"
#include "sensors/lineassembler.h"
#include "sensors/oscline.h"
#include "sensors/quenlix_cie_widget.h"
#include "sensors/quenlix_cieplot.h"
#include "sensors/quenlix_i2c_tools.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "sensors/tof_frame.h"
#include "tests/common/consolerig.h"
#include "tests/common/modalanswer.h"
#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/logview.h"
#include "widgets/mwaveview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

using namespace TofFrame;
using Expect = QList<QPair<int, int>>; // (pixel index, value)
using Chunks = QList<QByteArray>;
using Doubles = QList<double>;

namespace {

const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
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

const auto bar = [](MainWindow& w, int type, int channel) {
    return w.Spectra_view->chart(type)->barSets().at(channel)->at(0);
};
const auto i2cLog = [](Ui_MainWindow* ui) { return ui->i2cdump_StrTextBrowser->toPlainText().remove('\r'); };

const auto oscRecord = [](double a, double b, double c, double d) {
    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n").arg(a).arg(b).arg(c).arg(d).toUtf8();
};

} // namespace

class TestSensors : public QObject
{
    Q_OBJECT
private slots:
    // The contract both assemblers keep (the text one decodes UTF-8 on top): lines end with the
    // separator wherever the reads cut, an unfinished line waits, an overlong one is dropped whole.
    void assemblers_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<Chunks>("chunks");
        QTest::addColumn<Chunks>("lines");
        QTest::addColumn<QByteArray>("pending");
        const auto row = [](const char* name, const Chunks& chunks, const Chunks& lines,
                            const QByteArray& pending) {
            for (bool text : {false, true})
                QTest::newRow(qPrintable(QString::fromLatin1(name) + (text ? "-text" : "-bytes")))
                    << text << chunks << lines << pending;
        };
        row("crlf-split-across-reads", {"1,2,3\r", "\n4,5"}, {"1,2,3"}, "4,5");
        row("lone-cr-or-lf-is-no-line-end", {"a\rb\nc\r\n"}, {"a\rb\nc"}, "");
        row("cr-before-crlf-stays", {"a\r\r\n"}, {"a\r"}, "");
        row("empty-lines-kept", {"\r\n\r\nx\r\n"}, {"", "", "x"}, "");
        row("utf8-split-inside-a-character", {"\xE5\xBC", "\x80\r\n"}, {"\xE5\xBC\x80"}, "");
        row("overlong-line-dropped-up-to-its-end",
            {QByteArray(40, 'x'), QByteArray(40, 'x'), "tail\r\nok\r\n"}, {"ok"}, "");
        row("cap-hit-before-the-line-end-keeps-its-cr", {QByteArray(70, 'x') + '\r', "\nok\r\n"}, {"ok"}, "");
    }
    void assemblers()
    {
        QFETCH(bool, text);
        QFETCH(Chunks, chunks);
        ByteLineAssembler bytes(QByteArrayLiteral("\r\n"), 64);
        LineAssembler utf8(QStringLiteral("\r\n"), 64);
        Chunks got;
        for (const QByteArray& chunk : chunks) {
            if (!text)
                got += bytes.feed(chunk);
            for (const QString& line : text ? utf8.feed(chunk) : QStringList())
                got += line.toUtf8();
        }
        QTEST(got, "lines");
        QTEST(text ? utf8.pending().toUtf8() : bytes.pending(), "pending");
    }

    void assemblerOddCases()
    {
        LineAssembler assembler(QStringLiteral("\r\n"), 16);
        assembler.feed("0123456789");
        assembler.feed("0123456789");
        QCOMPARE(assembler.dropped(), 20);
        assembler.feed("half a li\xE5");
        assembler.clear();
        QCOMPARE(assembler.feed("ne\r\n"), QStringList{"ne"});
        LineAssembler lf(QStringLiteral("\n"));
        QCOMPARE(lf.feed("F1:1\r\nF2:2\n"), (QStringList{"F1:1\r", "F2:2"}));
        ByteLineAssembler nul;
        QCOMPARE(nul.feed(QByteArray("a\0b\r\n", 5)), QList<QByteArray>{QByteArray("a\0b", 3)});
        // The cap holds for what waits, not for whole lines inside one chunk.
        ByteLineAssembler capped(QByteArrayLiteral("\r\n"), 64);
        QCOMPARE(capped.feed(QByteArray(80, 'x') + "\r\n" + QByteArray("line\r\n").repeated(100)).size(),
                 101);
    }

    // What each line decodes to, written out: the values in order, "-" for no reading.
    void boardLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("decoded");
        const auto row = [](const char* kind, const char* name, const QByteArray& line, const char* decoded) {
            QTest::addRow("%s-%s", kind, name)
                << QString::fromLatin1(kind) << line << QString::fromLatin1(decoded);
        };
        // Oscilloscope: the four channels.
        row("osc", "four-values", "$0:1.5;$1:-2;$2:3;$3:4;", "1.5 -2 3 4");
        row("osc", "nan-and-infinities", "$0:nan;$1:inf;$2:-inf;$3:1e999;", "0 0 0 0");
        row("osc", "missing-tag-zeroes-the-rest", "$0:1;$2:3;$3:4;", "1 0 0 0");
        row("osc", "noise-before-frame", "\x01zz$1:9;$0:1;$1:2;$2:3;$3:4;", "1 2 3 4");
        row("osc", "nul-in-value", QByteArray("$0:1\0002;$1:2;$2:3;$3:4;", 22), "0 2 3 4");
        row("osc", "no-frame", "$1:2;$2:3;$3:4;", "-");
        // Environment: the quantity's index and its value.
        row("env", "temperature", "Temperature:25.30C", "1 25.3");
        row("env", "barometer-with-decimals-reads-0", "Barometer:1013.25Pa", "2 0");
        row("env", "ultraviolet-no-unit-not-a-number", "Ultraviolet:high", "3 0");
        row("env", "noise-before-key", "\xff\x01Humidity:50%", "0 50");
        row("env", "nul-in-value-reads-0", QByteArray("TVOC:1\0002ppb", 11), "5 0");
        row("env", "wrong-unit", "Temperature:25.3F", "-");
        row("env", "lower-case-key", "humidity:50%", "-");
        // IMU: w x y z, or the angles of a frame without a rotation (no NaN on the labels).
        row("imu", "reference", "W:1.0, X:0, Y:0, Z:0", "1 0 0 0");
        row("imu", "no-blanks", "W:0.8660254,X:0.5,Y:0,Z:-0.25", "0.8660254 0.5 0 -0.25");
        row("imu", "blanks-and-line-breaks", "  W:  1 ,\tX: 0,\r\nY:0 ,  Z:0  ", "1 0 0 0");
        row("imu", "first-of-two-frames", "W:1,X:0,Y:0,Z:0 W:0,X:1,Y:0,Z:0", "1 0 0 0");
        row("imu", "overflowing-component", "W:1" + QByteArray(400, '0') + ",X:0,Y:0,Z:0",
            "no rotation 0 0 0");
        for (const char* none :
             {"W:1;X:0;Y:0;Z:0", "w:1,x:0,y:0,z:0", "W:+1,X:0,Y:0,Z:0", "W:.5,X:0,Y:0,Z:0"})
            row("imu", none, none, "-");
        // Colour: x y lux cct; an unreadable lux is -0, an unreadable y or cct -1.
        row("cie", "board-line", "CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n",
            "0.587309 0.424433 682.496 1763.247393");
        row("cie", "lower-case-blanks", "  ciex : 0.587309 ; ciey: 0.424433;lux :682.496000;cct:1763.2  ",
            "0.587309 0.424433 682.496 1763.2");
        row("cie", "other-order-empty-pair-trailing-comma",
            "CCT:1763.2;;LUX:682.496000;CIEY:0.424433;CIEX:0.587309,", "0.587309 0.424433 682.496 1763.2");
        row("cie", "unknown-key-two-colons-later-pair-wins", "CIEX:0:5;R:12;CIEY:0.1;CIEY:0.3", "0 0.3 0 0");
        row("cie", "unreadable-or-infinite", "CIEX:a;CIEY:inf;LUX:c;CCT:1e999", "0 -1 -0 -1");
        row("cie", "nothing-usable", "hello", "0 0 0 0");
        // A typed I2C byte list; a refused one leaves the bytes untouched.
        row("i2c", "mixed-case-digits", "0x01,0x34,0xAb", "1 52 171");
        row("i2c", "lone-digit", "0x1", "-");
        row("i2c", "blank-after-comma", "0x12, 0x34", "-");
        row("i2c", "trailing-line-feed", "0x12\n", "-");
        // Time-of-flight arrangement names: code, width, height; unknown names are 8 x 8.
        row("tof", "4x4", "4x4", "0 4 4");
        row("tof", "48x32-width-first", "48x32", "4 48 32");
        row("tof", "54x42-prefix", "54x42 (VL53L9)", "5 54 42");
        row("tof", "exact-texts-case-sensitive", "4X4", "1 8 8");
        row("tof", "exact-texts-no-prefix", "16x16 ", "1 8 8");
    }
    void boardLines()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, line);
        Doubles v;
        QString text;
        if (kind == "osc") {
            const std::optional<OscLine::Values> got = OscLine::parse(line);
            v = got ? Doubles(got->begin(), got->end()) : Doubles{};
        } else if (kind == "env") {
            const std::optional<EnvLine::Reading> got = EnvLine::parse(line);
            v = got ? Doubles{double(got->quantity), got->value} : Doubles{};
        } else if (kind == "imu") {
            const std::optional<ImuLine::Frame> f = ImuLine::parse(line);
            if (f && f->valid)
                v = {f->w, f->x, f->y, f->z};
            else if (f)
                text = "no rotation ", v = {f->angles.pitch, f->angles.yaw, f->angles.roll};
        } else if (kind == "cie") {
            const CieReading r = CieReading::parse(QString::fromLatin1(line));
            v = {r.x, r.y, r.lux, r.cct};
        } else if (kind == "i2c") {
            QByteArray bytes("untouched");
            if (!I2cFrame::parseByteList(QString::fromLatin1(line), &bytes))
                QCOMPARE(bytes, QByteArray("untouched"));
            else
                for (char b : bytes)
                    v << quint8(b);
        } else {
            const Arrangement a = arrangementFromText(QString::fromLatin1(line));
            v = {double(a.code), double(a.width), double(a.height)};
        }
        for (double d : v) // -0 written as such
            text += (std::signbit(d) && d == 0 ? QStringLiteral("-0") : QString::number(d, 'g', 10)) + ' ';
        QTEST(v.isEmpty() ? QStringLiteral("-") : text.trimmed(), "decoded");
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
        double x = 0, y = 0, z = 0;
        for (int nm = Cie1931::firstWavelength; nm <= Cie1931::lastWavelength; nm += Cie1931::step) {
            const Cie1931::Tristimulus t = Cie1931::matching(nm);
            x += t.x, y += t.y, z += t.z;
        }
        for (double sum : {x, y, z})
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

    void i2cWriteFillsTheAdapterBuffer()
    {
        // The largest write fills the adapter's 512-byte buffer; one byte more is refused.
        const QByteArray largest = I2cFrame::writeRegisters(0x00, QByteArray(505, '\x01'));
        QCOMPARE(largest.size(), 512);
        QCOMPARE(largest.mid(3, 2), QByteArray::fromHex("01FA")); // 506 payload bytes
        QCOMPARE(quint8(largest.back()), quint8(505 % 256));
        QVERIFY(I2cFrame::writeRegisters(0x00, QByteArray(506, '\x01')).isEmpty());
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
        QTest::newRow("no-trailing-comma") << ramp(16, 1).chopped(1) << 0 << 16 << Expect{{0, 4}};
        QTest::newRow("unreadable-value-is-0") << "x," + ramp(15, 2) << 0 << 16 << Expect{{3, 0}, {0, 4}};
        QTest::newRow("doubled-comma-yields-no-value") << "1,," + ramp(15, 2) << 0 << 16 << Expect{{3, 1}};
        QTest::newRow("tmf8828-2268-writes-first-64")
            << ramp(2268) << 1 << 2268 << Expect{{56, 0}, {0, 38}, {7, 63}, {64, -7}, {2267, -7}};
        QTest::newRow("tmf8828-16-rest-of-block-0") << ramp(16, 1) << 1 << 16 << Expect{{56, 1}, {48, 0}};
        QTest::newRow("tmf8829-1024-interleaved")
            << ramp(1024) << 2 << 1024 << Expect{{31, 31}, {64, 32}, {32, 512}, {1023, 1023}};
        QTest::newRow("tmf8829-2268-width-8-drops-tail")
            << ramp(2268) << 2 << 2268 << Expect{{1535, 1535}, {1536, 0}, {2267, 0}};
        QTest::newRow("tmf8829-567-no-reorder") << ramp(567) << 2 << 567 << Expect{{0, 0}, {566, 566}};
        // 576 values: zones are values 48 .. 527, shown as 20 rows of 24, each reversed.
        QTest::newRow("vl53l9-576-inner-zones")
            << ramp(576, 100) << 3 << 480 << Expect{{0, 171}, {23, 148}, {479, 604}, {480, -7}};
        QTest::newRow("unknown-type-decodes-nothing") << ramp(16) << 7 << 16 << Expect{{0, -7}};
        QTest::newRow("65-values-dropped") << ramp(65) << 0 << -1 << Expect{{0, -7}};
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
        QCOMPARE((QList<int>{f.pixels.at(0), f.filter[0]}), (QList<int>{1700, 1700}));
        // Out of range at either end: zone 0, history forgotten; both ends of 51..3999 valid.
        QCOMPARE(f.decode("50," + ramp(2267, 1000, 0), Vl53l9), 2268);
        QCOMPARE((QList<int>{f.pixels.at(53), f.filter[0]}), (QList<int>{0, 0})); // row 0 mirrored, width 54
        f.decode(ramp(2268, 51, 0), Vl53l9);
        QCOMPARE(f.pixels.at(53), 51); // no history: taken as is
        f.decode(ramp(2268, 4000, 0), Vl53l9);
        QCOMPARE(f.pixels.at(0), 0);
        f.decode("abc," + ramp(2267, 3999, 0), Vl53l9);
        QCOMPARE((QList<int>{f.pixels.at(53), f.pixels.at(52)}), (QList<int>{0, 3999}));
        // Filter off keeps the raw value but still records it; 567 values are not mirrored.
        Tof raw;
        raw.decode(ramp(567, 2000, 0), Vl53l9, 0);
        QCOMPARE(raw.decode(ramp(567, 1000), Vl53l9, 0), 567);
        QCOMPARE((QList<int>{raw.pixels.at(0), raw.filter[566]}), (QList<int>{1000, 1566}));
    }

    void i2cEncode_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("scan") << 1 << hex("FF") << hex("515501 0001 FF FF");
        QTest::newRow("write-0x12-0x34-to-0x05") << 4 << hex("05 12 34") << hex("515504 0003 051234 4B");
        QTest::newRow("read-16-from-0xF8") << 5 << hex("F8 10") << hex("515505 0002 F810 08");
        QTest::newRow("empty-payload") << 1 << QByteArray() << hex("515501 0000 00");
        QTest::newRow("length-above-255")
            << 2 << QByteArray(300, '\x01') << hex("515502 012C") + QByteArray(300, '\x01') + hex("2C");
    }
    void i2cEncode()
    {
        QFETCH(int, command);
        QFETCH(QByteArray, payload);
        QTEST(I2cFrame::encode(quint8(command), payload), "frame");
    }

    // Real frames with false magics and noise between them, split at every point and fed byte by
    // byte: exactly the real frames come out, whatever the split.
    void i2cReceiverFindsEveryRealFrame()
    {
        const QList<QByteArray> real = {
            hex("515505 0008 5155050001101099 65"), // holds a false frame with a good checksum
            I2cFrame::encode(I2cFrame::Scan, hex("3C 68")),
            I2cFrame::encode(I2cFrame::Start, QByteArray(150, 'Q') + "QU" + QByteArray(148, 'U')),
            I2cFrame::encode(I2cFrame::Scan, QByteArray()),
            I2cFrame::encode(9, hex("01")), // a command the console ignores is still a frame
        };
        // A false magic with a bad checksum reaching into the next frame, a lone "Q", plain noise.
        const QList<QByteArray> noise = {hex("00 13 51"), hex("515507 0003 AABB"), hex("51"),
                                         hex("FF 55 13")};
        QByteArray stream;
        for (int i = 0; i < real.size(); ++i)
            stream += noise.value(i) + real.at(i);
        const auto framesOf = [](const QList<QByteArray>& chunks) {
            I2cFrameReceiver receiver;
            QList<QByteArray> got;
            for (const QByteArray& chunk : chunks)
                for (const I2cFrameReceiver::Frame& f : receiver.feed(chunk))
                    got += I2cFrame::encode(f.command, f.payload);
            return got;
        };
        for (qsizetype at = 0; at <= stream.size(); ++at)
            QVERIFY2(framesOf({stream.left(at), stream.mid(at)}) == real, qPrintable(QString::number(at)));
        QList<QByteArray> bytes;
        for (char c : stream)
            bytes += QByteArray(1, c);
        QCOMPARE(framesOf(bytes), real);
    }

    void i2cReceiverStaysBounded()
    {
        I2cFrameReceiver receiver;
        // A stream without a magic keeps nothing but a possible first magic byte.
        const QByteArray noise(1 << 20, '\x55');
        QVERIFY(receiver.feed(noise).isEmpty());
        QVERIFY(receiver.pending().isEmpty());
        QVERIFY(receiver.feed(noise + "Q").isEmpty());
        QCOMPARE(receiver.pending(), QByteArray("Q"));
        QCOMPARE(receiver.feed(I2cFrame::encode(5, hex("42")).mid(1)).size(), 1);
        // A false magic announcing the largest length holds nothing back, and no stream keeps
        // more than one adapter frame.
        receiver.clear();
        const QByteArray read = I2cFrame::encode(5, hex("AA"));
        QCOMPARE(receiver.feed(hex("515502 FFFF") + read).size(), 1);
        for (int i = 0; i < 70; ++i) {
            QVERIFY(receiver.feed(hex("515502 01F0") + QByteArray(1000, '\xEE')).isEmpty());
            QVERIFY(receiver.pending().size() < I2cFrame::adapterFrameSize);
        }
    }

    // False magics and cut-off frames ahead of real ones: whatever the split, exactly the real
    // frames come out, and none is still held back once the whole stream is in.
    void i2cReceiverPassesOverFalseStarts_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QList<QByteArray>>("real");
        const QByteArray readA = I2cFrame::encode(5, hex("AA")), readB = I2cFrame::encode(5, hex("BB 01"));
        const QByteArray scan = I2cFrame::encode(I2cFrame::Scan, hex("3C 68"));
        QByteArray registers(256, 0);
        for (int i = 0; i < registers.size(); ++i)
            registers[i] = char(i * 7);
        const QByteArray block = I2cFrame::encode(I2cFrame::Start, registers);
        QTest::newRow("length-beyond-adapter-buffer") << hex("515502 FFFF") + scan << QList<QByteArray>{scan};
        QTest::newRow("length-one-past-adapter-buffer")
            << hex("515502 01FB") + readA + readB << QList<QByteArray>{readA, readB};
        QTest::newRow("plausible-length-then-replies")
            << hex("515502 0100") + readA + readB + scan << QList<QByteArray>{readA, readB, scan};
        QTest::newRow("cut-off-register-block-then-replies")
            << block.left(100) + scan + readA + readB << QList<QByteArray>{scan, readA, readB};
        QTest::newRow("cut-off-header-then-replies")
            << block.left(4) + readA + scan << QList<QByteArray>{readA, scan};
        QTest::newRow("two-false-starts-then-block")
            << hex("5155 0001 00") + hex("515501 FFFF") + block + readA << QList<QByteArray>{block, readA};
    }

    void i2cReceiverPassesOverFalseStarts()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QList<QByteArray>, real);
        for (qsizetype at = 0; at <= stream.size(); ++at) {
            I2cFrameReceiver receiver;
            QList<QByteArray> got;
            for (const QByteArray& chunk : {stream.left(at), stream.mid(at)})
                for (const I2cFrameReceiver::Frame& f : receiver.feed(chunk))
                    got += I2cFrame::encode(f.command, f.payload);
            QVERIFY2(got == real, qPrintable(QString::number(at)));
        }
    }

    // The adapter streams register blocks; one false magic with the largest length turns up
    // after the tenth. Every block comes out with the read that completes it.
    void i2cFalseMarkerHoldsNothingBack()
    {
        I2cFrameReceiver receiver;
        for (int i = 0; i < 400; ++i) {
            QByteArray registers(256, 0);
            for (int r = 0; r < registers.size(); ++r)
                registers[r] = char(i + r);
            const QByteArray block = I2cFrame::encode(I2cFrame::Start, registers);
            const QList<I2cFrameReceiver::Frame> out =
                receiver.feed((i == 10 ? hex("515502 FFFF") : QByteArray()) + block);
            QVERIFY2(out.size() == 1 && out.first().payload == registers, qPrintable(QString::number(i)));
        }
    }

    // Every quantity reaches its own gauge, held inside its dial; the log takes every line, GBK text
    // and cut characters included, and stays bounded.
    void environmentGaugesAndLog()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(rig.send("Temperature:-3.2C\r\nHumidity:48.20%\r\nUltraviolet:7\r\nCO2:350ppm\r\n"
                         "Barometer:101325Pa\r\nTVOC:12ppb\r\n"));
        const auto gauges = [&] {
            return QList<double>{w.ENV_temperatureGauge->getValue(), double(w.ENV_humidityGauge->getValue()),
                                 w.ENV_ultravioletGauge->getValue(), w.ENV_co2Gauge->getValue(),
                                 w.ENV_barometerGauge->getValue(),   w.ENV_tvocGauge->getValue()};
        };
        QTRY_COMPARE(gauges(), (QList<double>{-3.2, 48, 7, 400, 1100, 12})); // the ring shows whole percent

        // The clear button empties the log, not a waiting line.
        QPlainTextEdit* log = rig.ui->ENV_StrTextBrowser;
        QVERIFY(rig.send("Humidity:4"));
        QTRY_COMPARE(w.ENV_rxBuffer.pending(), QByteArray("Humidity:4"));
        ConsoleRig::press(rig.ui->EVN_Clear_pushButton); // the log below holds nothing from before
        QVERIFY(rig.send("0%\r\n\xCE\xC2"));
        QTRY_COMPARE(w.ENV_humidityGauge->getValue(), 40);
        QVERIFY(rig.send("\xB6\xC8 ok\r\n"));
        QTRY_COMPARE(log->toPlainText(), QString::fromUtf8("0%\n温度 ok\n"));
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        QCOMPARE(w.ENV_temperatureGauge->getValue(), -3.2); // closing keeps the last readings

        for (int i = 0; i < 150; ++i)
            w.readENVCom(QStringLiteral("line %1\r\n").arg(i).toUtf8());
        LogView::of(log)->flush();
        QCOMPARE(log->blockCount(), 100);
        QCOMPARE(log->document()->lastBlock().previous().text(), QStringLiteral("line 149"));
        // A board that never ends its line: the log and the waiting line stay bounded.
        for (int i = 0; i < 20; ++i)
            w.readENVCom(QByteArray(64 * 1024, 'x'));
        QVERIFY(LogView::of(log)->text().size() <= LogView::budget * 3 / 2);
        QVERIFY(w.ENV_rxBuffer.pending().size() <= 64 * 1024);
        w.readENVCom("\r\nCO2:900ppm\r\n");
        QTRY_COMPARE(w.ENV_co2Gauge->getValue(), 900.0);
    }

    // The numbers follow every other frame (a line that is no frame does not count), every frame of
    // a chunk counts, and reopening starts the count again.
    void imuLabelsShowEveryOtherFrame()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        const auto imuLabels = [](Ui_MainWindow* ui) {
            QStringList texts;
            for (const QLabel* l : {ui->label_imu_x, ui->label_imu_y, ui->label_imu_z, ui->label_imu_euler_w,
                                    ui->label_imu_euler_x, ui->label_imu_euler_y, ui->label_imu_euler_z})
                texts << l->text();
            return texts;
        };
        const QStringList atRest{"0.00", "0.00", "0.00", "1.00", "0.00", "0.00", "0.00"};
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(rig.send("W:1.0, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(imuLabels(rig.ui), atRest);
        QVERIFY(rig.send("W:0.7071068, X:0.7071068, Y:0, Z:0\r\nW:1;X:0;Y:0;Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        QCOMPARE(imuLabels(rig.ui), atRest);
        // The third shows, a quarter turn about Z (the toolkit's roll, on "Yaw:").
        QVERIFY(rig.send("W:0.7071068, X:0, Y:0, Z:-0.7071068\r\n"));
        QTRY_COMPARE(imuLabels(rig.ui),
                     (QStringList{"0.00", "0.00", "-90.00", "0.71", "0.00", "0.00", "-0.71"}));
        ConsoleRig::press(rig.ui->imuopencompushButton);
        ConsoleRig::press(rig.ui->imuopencompushButton);
        // Of three frames in one chunk after reopening, the first and the third are due: the third shows.
        w.readimuCom("W:1, X:0, Y:0, Z:0\r\nW:0.5, X:0.5, Y:0.5, Z:0.5\r\nW:0.8660254, X:0.5");
        w.readimuCom("000, Y:0, Z:0\r\n");
        QCOMPARE(w.IMU_frameToggle, 1);
        QTRY_COMPARE(imuLabels(rig.ui),
                     (QStringList{"60.00", "0.00", "0.00", "0.87", "0.50", "0.00", "0.00"}));
    }

    void oscilloscopeLinesBecomeSamples()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        // Several lines in one write are all kept, in order, x counting the lines.
        QVERIFY(rig.send("$0:1.5;$1:-2;$2:3;$3:4;\r\n" + oscRecord(1, 1, 1, 1) + oscRecord(2, 2, 2, 2)));
        const double first[] = {1.5, -2, 3, 4};
        for (int n = 0; n < 4; ++n)
            QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH(n)),
                         (QList<QPointF>{{1, first[n]}, {2, 1}, {3, 2}}));
        // Closing and reopening keep the samples: a later opening continues the curves.
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(rig.send(oscRecord(4, 4, 4, 4)));
        QTRY_COMPARE(w.OSC_points[0].last(), QPointF(4, 4));
        ConsoleRig::press(rig.ui->OSCopencompushButton);

        // Only the newest 20000 points stay, also of a hidden channel.
        rig.ui->checkBox_2->setChecked(false);
        QByteArray stream;
        for (int i = 5; i <= 20005; ++i)
            stream += oscRecord(i, -i, i, 0);
        w.readOSCCom(stream.left(stream.size() / 2 + 3)); // cut inside a line
        w.readOSCCom(stream.mid(stream.size() / 2 + 3));
        for (int n = 0; n < 4; ++n)
            QCOMPARE(w.OSC_points[n].size(), 20000);
        QCOMPARE(w.OSC_points[1].last(), QPointF(20005, -20005));
        QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH0).first(), QPointF(6, 6));
        rig.ui->checkBox_2->setChecked(true);
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH2).last(), QPointF(20005, 20005));
    }

    void cieDiagramPointAndBox()
    {
        quenlix_cieplot plot;
        plot.resize(800, 900);                   // 1000 px per unit of x and y
        QVERIFY(!plot.valueBoxRect().isValid()); // no point before the first reading
        plot.plotPoint(0.587309, 0.424433, 682.496, 1763.247393);
        QCOMPARE(plot.valueText(), QStringLiteral("x=0.587\ny=0.424\nLux:682.5\nCCT:1763K"));
        const QPointF p = plot.cieToPixel(0.587309, 0.424433);
        QCOMPARE(p, QPointF(0.587309 / 0.8 * 800, 900 - 0.424433 / 0.9 * 900));
        const QRgb c = plot.grab().toImage().pixel(p.toPoint()); // the red point is drawn there
        QVERIFY(qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60);
        // An unreadable y hides the point.
        plot.plotPoint(0.3, -1.0, 0, -1);
        QVERIFY(!plot.valueBoxRect().isValid());
        // Without area there is no position at all.
        plot.setMinimumSize(0, 0);
        plot.resize(0, 10);
        QCOMPARE(plot.cieToPixel(0.3, 0.3), QPointF(-1, -1));
        plot.plotPoint(0.3, 0.3, 0, 0);
        QVERIFY(!plot.valueBoxRect().isValid());
    }

    // The diagram's texts at the smallest, the usual and a large size: the axis numbers stand
    // outside the curve, no text crosses a curve or another text, and all are readable.
    void cieLabelsOffTheCurves_data()
    {
        QTest::addColumn<QSize>("size");
        for (QSize size : {QSize(455, 445), QSize(715, 640), QSize(1100, 900)})
            QTest::addRow("%dx%d", size.width(), size.height()) << size;
    }
    void cieLabelsOffTheCurves()
    {
        QFETCH(QSize, size);
        quenlix_cieplot plot;
        plot.resize(size);
        QPolygonF locus, planck;
        for (const QPointF& p : Cie1931::spectralLocus())
            locus << plot.cieToPixel(p.x(), p.y());
        for (const QPointF& p : Cie1931::planckianLocus())
            planck << plot.cieToPixel(p.x(), p.y());
        QPolygonF outline = locus;
        outline << locus.first();
        const auto crosses = [](const QPolygonF& line, const QRectF& box) {
            for (qsizetype i = 1; i < line.size(); ++i) {
                const QLineF segment(line.at(i - 1), line.at(i));
                for (double t = 0; t <= 1; t += 1.0 / 64) // finer than a pixel along any segment
                    if (box.contains(segment.pointAt(t)))
                        return true;
            }
            return false;
        };
        static const QRegularExpression axis(QStringLiteral("^(0\\.\\d|x|y)$"));
        const QList<PaintedText> texts = plot.paintedTexts();
        int axisTexts = 0;
        for (int i = 0; i < texts.size(); ++i) {
            const PaintedText& t = texts.at(i);
            const QRectF box = t.outline.boundingRect();
            QVERIFY2(t.pixelSize >= 8, qPrintable(t.text));
            QVERIFY2(!crosses(outline, box) && !crosses(planck, box),
                     qPrintable(t.text + " crosses a curve"));
            if (axis.match(t.text).hasMatch()) {
                ++axisTexts;
                QVERIFY2(!locus.intersects(QPolygonF(box)), qPrintable(t.text + " stands inside the curve"));
            }
            for (int j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!t.outline.intersects(texts.at(j).outline),
                         qPrintable(t.text + " meets " + texts.at(j).text));
        }
        QCOMPARE(axisTexts, 7 + 8 + 2);
        QVERIFY(texts.size() >= axisTexts + 17); // and most marks named
    }

    // Board readings mark the plot; typed values too, an unreadable lux reading 0 and a missing y
    // refused with a warning.
    void cieReadingsAndTypedValuesMarkThePlot()
    {
        ConsoleRig rig;
        quenlix_cie_widget* widget = rig.w->CIE_widget;
        quenlix_cieplot* plot = widget->plot;
        QCOMPARE(plot->pointX, -1.0); // nothing marked before the first reading
        ConsoleRig::press(rig.ui->CIEopencompushButton);
        rig.send("CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n");
        QTRY_COMPARE((QList<double>{plot->pointX, plot->pointY, plot->lux, plot->cct}),
                     (QList<double>{0.587309, 0.424433, 682.496, 1763.247393}));
        const auto type = [&](const char* edit, const char* text) {
            widget->findChild<QLineEdit*>(edit)->setText(text);
        };
        type("xLineEdit", "0.31");
        type("yLineEdit", "0.33");
        type("luxLineEdit", "bright");
        auto* plotButton = widget->findChild<QPushButton*>("plotButton");
        plotButton->click();
        QCOMPARE((QList<double>{plot->pointX, plot->pointY, plot->lux}), (QList<double>{0.31, 0.33, 0}));
        type("yLineEdit", "");
        ModalAnswer answer("OK");
        plotButton->click();
        QVERIFY(answer.seen());
        QCOMPARE(plot->pointY, 0.33);
    }

    // Every tab with a receive buffer empties it when it opens the port again.
    void reopeningForgetsAHalfLine_data()
    {
        QTest::addColumn<QString>("tab");
        for (const char* tab : {"cie", "tof", "spectra", "oscilloscope", "imu"})
            QTest::newRow(tab) << QString::fromLatin1(tab);
    }
    void reopeningForgetsAHalfLine()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        QFETCH(QString, tab);
        const QMap<QString, std::pair<QPushButton*, std::function<bool()>>> tabs = {
            {"cie", {rig.ui->CIEopencompushButton, [&] { return w.CIE_rxText.isEmpty(); }}},
            {"tof", {rig.ui->TOFopencompushButton, [&] { return w.TOF_rxText.isEmpty(); }}},
            {"spectra", {rig.ui->SpectraopencompushButton, [&] { return w.Spectra_rxText.isEmpty(); }}},
            {"oscilloscope", {rig.ui->OSCopencompushButton, [&] { return w.OSC_rxBuffer.isEmpty(); }}},
            {"imu", {rig.ui->imuopencompushButton, [&] { return w.IMU_rxBuffer.isEmpty(); }}}};
        const auto [open, empty] = tabs.value(tab);
        ConsoleRig::press(open);
        rig.send("CIEX:0.7;9,9,9,");
        QTRY_VERIFY(!empty());
        ConsoleRig::press(open);
        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(empty());
    }

    void i2cdumpCommandsAndDialogs()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        QPushButton* startStop = ui->i2cdump_stop_pushButton;
        w.I2CdumpactionScanf_triggered(); // no port: dropped
        QVERIFY(rig.drain().isEmpty());

        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 02 00 01 ff ff"));
        // While started, register blocks fill the grid.
        rig.send(I2cFrame::encode(I2cFrame::Start, hex("11 22 33")));
        QTRY_COMPARE(w.I2Cdump_tools->valueLabels.at(2)->text(), QStringLiteral("33"));

        // Closing while started sends nothing; after reopening the same button stops the adapter.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(rig.drain().isEmpty());
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 00 00 01 ff ff"));

        w.I2Cdump_tools->findChild<QComboBox*>("comboBox")->setCurrentText("0x68");
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 03 00 01 68 68"));
        ConsoleRig::press(ui->i2cdumpsancfpushButton);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 01 00 01 ff ff"));
        rig.send(I2cFrame::encode(I2cFrame::Scan, hex("3C 68")));
        QTRY_COMPARE(i2cLog(ui), QStringLiteral("Searching for I2C devices on the bus:\n0x3c, 0x68, \n"));
        ConsoleRig::press(ui->i2cdump_Clear_pushButton); // the log below holds nothing from before

        // One read dialog however often asked for.
        ConsoleRig::press(ui->i2cdumpreadpushButton);
        ConsoleRig::press(ui->i2cdumpreadpushButton);
        QCOMPARE(w.findChildren<QDialog*>("I2CDump_ReadREG").size(), 1);
        w.I2Cdump_readUi->reg_comboBox->setCurrentIndex(0xF8);
        w.I2Cdump_readUi->length_comboBox->setCurrentIndex(16);
        ConsoleRig::press(w.I2Cdump_readUi->read_pushButton);
        QCOMPARE(rig.read(8).toHex(' '), QByteArray("51 55 05 00 02 f8 10 08"));
        // The reply comes after the dialog was closed: printed with the register asked for.
        ConsoleRig::press(w.I2Cdump_readUi->I2CDump_ReadREGCancel);
        QTRY_VERIFY(w.I2Cdump_readUi == nullptr);
        rig.send(I2cFrame::encode(I2cFrame::Read, hex("01 AB")));
        QTRY_COMPARE(i2cLog(ui), QStringLiteral("Reg addr 0xf8: 0x01, 0xab, \n"));

        ConsoleRig::press(ui->i2cdumpwritepushButton);
        QLineEdit* bytes = w.I2Cdump_writeUi->lineEdit;
        w.I2Cdump_writeUi->reg_comboBox->setCurrentIndex(5);
        bytes->setText("0x12,0xab");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QCOMPARE(rig.read(9).toHex(' '), QByteArray("51 55 04 00 03 05 12 ab c2"));
        // A malformed list and one byte more than the adapter holds are refused with a warning.
        for (const QString& text :
             {QStringLiteral("0x12,"), "0x01" + QStringLiteral(",0x01").repeated(505)}) {
            bytes->setText(text);
            ModalAnswer answer("OK");
            ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
            QVERIFY(answer.seen());
        }
        QVERIFY(rig.drain().isEmpty());

        // With the port held by another tab, the dialog's frames stay off that tab's device.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        bytes->setText("0x01");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QVERIFY(rig.drain().isEmpty());
    }

    void spectraReadingsReachTheCharts()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        ConsoleRig::press(ui->SpectraopencompushButton);
        // AS7341: FXL has no bar there and is dropped.
        rig.send("F1:500\r\nFXL:100\r\nF2:1234\r\n");
        QTRY_COMPARE(bar(w, 0, 1), 1.234);
        QCOMPARE(bar(w, 0, 0), 0.5);
        ui->SpectraYPEcomboBox->setCurrentIndex(2);
        ui->SpectraportChartComboBox->setCurrentIndex(1);
        rig.send("F1:250\r\n");
        QTRY_COMPARE(w.Spectra_view->curve()->values().at(1), 0.25);
        QCOMPARE(w.Spectra_view->curve()->values().at(0), 0.0);
        // The raw log fills while hidden, without blank lines; its button clears the half line too.
        rig.send("F1:1\r\n\r\nF2:2\r\nF4:");
        QTRY_VERIFY(ui->Spectra_textEdit->toPlainText().endsWith(QStringLiteral("F1:250\nF1:1\nF2:2")));
        QTRY_VERIFY(!w.Spectra_rxBuffer.isEmpty());
        ConsoleRig::press(ui->Spectra_pushButton_Clear_Log);
        QCOMPARE(ui->Spectra_textEdit->toPlainText(), QString());
        QVERIFY(w.Spectra_rxBuffer.isEmpty());
    }

    // A 64-value frame and a 16-value frame in one chunk, drawn once: every view shows what
    // drawing each frame would have shown (VL53LMZ, 8 x 8: label 20 is value 19 of a frame).
    void tofFramesInOneChunkKeepEveryValue()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        rig.ui->TOFArrangementcomboBox->setCurrentText("8x8");
        rig.send(ramp(64, 1000) + "\r\n");
        QTRY_COMPARE(w.TOF_view->data->labels.at(20)->text(), QStringLiteral("1019"));
        rig.send(ramp(64, 1500) + "\r\n" + ramp(16, 100) + "\r\n");
        QTRY_COMPARE(w.TOF_view->data->labels.at(0)->text(), QStringLiteral("103"));
        QCOMPARE(w.TOF_view->data->labels.at(20)->text(), QStringLiteral("1519"));
        QCOMPARE(w.TOF_view->heatmap->values.value(20), 1519);
        // Frame index 20 of an 8 x 8 surface: row 2, column 7 - 4.
        QCOMPARE(w.TOF_view->surface->dataArray->at(2)->at(3).y(), 1519.f);
        QCOMPARE(w.TOF_view->surface->dataArray->at(0)->at(7).y(), 103.f);
    }

    void tofFramesReachTheViews()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        const auto tofLabels = [](MainWindow& w, int count) {
            QStringList texts;
            for (int i = 0; i < count && i < w.TOF_view->data->labels.size(); ++i)
                texts << w.TOF_view->data->labels.at(i)->text();
            return texts;
        };
        ConsoleRig::press(ui->TOFopencompushButton);
        rig.send(ramp(16, 1) + "\r\n" + ramp(16, 101) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 4), (QStringList{"104", "103", "102", "101"}));
        ui->TOFArrangementcomboBox->setCurrentText("8x8");
        rig.send(ramp(64, 1000) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 2), (QStringList{"1007", "1006"}));
        QCOMPARE(w.TOF_view->heatmap->values.value(63), 1056);
        ui->TOFTYPEcomboBox->setCurrentIndex(3);
        QCOMPARE(QSize(w.TOF_view->heatmap->cols, w.TOF_view->heatmap->rows), QSize(54, 42));
        const QByteArray frame = QByteArray("2000,").repeated(2268) + "\r\n";
        rig.send(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        // A range change clears the filter history and rebuilds every view with the new range.
        ui->TOFRangeComboBox->setCurrentText("12000");
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(
            (QList<int>{w.TOF_view->data->range, w.TOF_view->heatmap->range, w.TOF_view->surface->yRange}),
            QList<int>(3, 12000));
        rig.send(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        ui->TOFFilterComboBox->setCurrentIndex(0); // the filter list only clears the history
        QCOMPARE(w.TOF_filterState[0], 0);
        QTRY_COMPARE(w.TOF_view->data->labels.at(0)->text(), QStringLiteral("2000"));
    }
};

QTEST_MAIN(TestSensors)
#include "tst_sensors.moc"
