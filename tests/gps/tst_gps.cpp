// The GPS code against real captures and gpsd's decoding, UTM against published values, and the
// GPS tab in a whole window with a pseudo-terminal, TCP clients and the map page as its peers.
#include <QBarSet>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QScatterSeries>
#include <QSet>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/pickedfile.h"
#include "gps/UTMconversion.h"
#include "gps/gpssignal.h"
#include "gps/gpssignal_form.h"
#include "gps/gpstrack.h"
#include "gps/nmea.h"
#include "serial/threadserial.h"
#include "tests/common/filechooserfake.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/pickedfifo.h"
#include "tests/common/press.h"
#include "tests/common/ptypair.h"
#include "tests/common/shareddata.h"
#include "tests/common/testhome.h"
#include "widgets/logview.h"

namespace {

// The textbook GGA example, with its published checksum.
const QByteArray textbookGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

// Seals a sentence body ("GPRMC,...") with its checksum and line end.
QByteArray sealed(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// A receiver capture of the shared test data: its byte stream and gpsd's decoding of it
// (one sentence or JSON report a line). Empty when the data is absent.
struct Capture
{
    QByteArray stream;
    QList<QByteArray> chk;

    explicit Capture(const QString& name)
    {
        const QString dir = sharedTestData(QStringLiteral("nmea"));
        QFile log(dir + '/' + name + ".log"), reference(dir + '/' + name + ".log.chk");
        if (dir.isEmpty() || !log.open(QIODevice::ReadOnly) || !reference.open(QIODevice::ReadOnly))
            return;
        while (!log.atEnd())
            if (const QByteArray line = log.readLine(); !line.startsWith('#'))
                stream += line;
        while (!reference.atEnd())
            chk << reference.readLine().trimmed();
    }
};

// Cut points for feeding `size` bytes in chunks of 1 to maxChunk bytes.
QList<int> randomCuts(int size, int maxChunk, QRandomGenerator& random)
{
    QList<int> cuts;
    for (int at = 0; at < size; at += 1 + random.bounded(maxChunk))
        cuts << at;
    return cuts;
}

QList<QByteArray> feed(QByteArray& buffer, const QByteArray& stream, const QList<int>& cuts)
{
    QList<QByteArray> out;
    int from = 0;
    for (int cut : cuts + QList<int>{int(stream.size())}) {
        out += Nmea::takeSentences(buffer, stream.mid(from, cut - from));
        from = cut;
    }
    return out;
}

// One sentence as the tab reads it, "refused" when the framing drops it. Satellites:
// the talker, the count in view, each satellite as "prn,el,az,snr,constellation". A position
// line of a TCP client or the track file as the tab shows it, "refused" when it is none.
QString decoded(const QByteArray& sentence)
{
    if (sentence.startsWith("Latitude")) {
        const auto p = GpsTrack::parse(QString::fromLatin1(sentence));
        if (!p || !GpsTrack::isPosition(*p))
            return QStringLiteral("refused");
        const auto lat = GpsTrack::splitDegrees(p->latitude, "N", "S");
        const auto lon = GpsTrack::splitDegrees(p->longitude, "E", "W");
        return lat.first + lat.second + ' ' + lon.first + lon.second;
    }
    QByteArray buffer;
    const QList<QByteArray> taken = Nmea::takeSentences(buffer, sentence);
    if (taken.size() != 1)
        return QStringLiteral("refused");
    const char* s = taken[0].constData();
    const auto n = [](double v) { return Nmea::numberText(v); };
    switch (Nmea::sentenceType(s)) {
    case Nmea::SentenceType::Rmc: {
        const Nmea::Rmc r = Nmea::decodeRmc(s);
        const QString time = r.hasTime
                                 ? QString::asprintf("%d:%d:%d ", r.time.hour, r.time.minute, r.time.second)
                                 : QStringLiteral("- ");
        return time + (r.hasPosition
                           ? r.latitude + r.latitudeHemisphere + ' ' + r.longitude + r.longitudeHemisphere
                           : QStringLiteral("void"));
    }
    case Nmea::SentenceType::Gga: {
        const Nmea::Gga g = Nmea::decodeGga(s);
        return (g.fix ? "fix " : "no-fix ") + n(g.satellitesUsed) + ' ' + n(g.altitude);
    }
    case Nmea::SentenceType::Gsa: {
        const Nmea::Gsa g = Nmea::decodeGsa(s);
        return n(g.pdop) + ' ' + n(g.hdop) + ' ' + n(g.vdop);
    }
    case Nmea::SentenceType::Vtg:
        return n(Nmea::decodeVtgSpeed(s));
    case Nmea::SentenceType::Gsv: {
        QString out = QStringList{"GP", "BD", "other"}[int(Nmea::gsvTalker(s))] + ' ' + n(Nmea::gsvInView(s));
        for (const nmea_slmsg& r : Nmea::decodeGsvSatellites(s))
            if (r.prn || r.elevation || r.azimuth || r.snr || r.constellation)
                out += QString::asprintf(" %d,%d,%d,%d,%d", r.prn, r.elevation, r.azimuth, r.snr,
                                         r.constellation);
        return out;
    }
    case Nmea::SentenceType::None:
        break;
    }
    return QStringLiteral("ignored");
}

// Hands a sentence over the way the tab does: the text dies after the call.
void give(GPS_Signal& worker, const QByteArray& sentence)
{
    QByteArray copy = sentence;
    worker.Get_Data(copy.data());
    copy.fill('#');
}

constexpr int wgs84 = 23;
constexpr int clarke1866 = 5;

// A whole window in its own home, with the serial port scan off.
struct Gps
{
    TestHome home;
    std::unique_ptr<MainWindow> w =
        (home.writeSettings({{"Auto_Serial_Scan", "false"}}), std::make_unique<MainWindow>());
    Ui_MainWindow* ui = w->ui;

    QString status() const { return ui->statusBar->currentMessage(); }
    QByteArray track() const
    {
        QFile file(home.path() + "/GPS_Date.txt");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // "latitude hemisphere longitude hemisphere" as the labels show them.
    QString position() const
    {
        return QStringList{ui->Weidu->text(), ui->Weidufangxiang->text(), ui->Jingdu->text(),
                           ui->Jingdufangxiang->text()}
            .join(' ');
    }
    // Runs a script on the map page and waits for its value.
    QVariant js(const QString& script)
    {
        auto value = std::make_shared<std::optional<QVariant>>();
        w->GPS_mapView->page()->runJavaScript(script, [value](const QVariant& v) { *value = v; });
        return QTest::qWaitFor([&] { return value->has_value(); }, 5000) ? **value : QVariant();
    }
    // The map is made when the tab is first current, and loads after: waits until the window
    // knows it loaded (calls before that wait in the window) and its functions exist.
    bool waitForMap()
    {
        ui->tabWidget->setCurrentWidget(ui->gps);
        return QTest::qWaitFor(
            [this] {
                return w->GPS_mapLoaded && js("typeof Set_Location === 'function' && map !== null").toBool();
            },
            15000);
    }
    void openOn(const QString& path)
    {
        ui->GPSportNameComboBox->addItem(path);
        ui->GPSportNameComboBox->setCurrentText(path);
        press(ui->GPSopencompushButton);
    }
    // Hands one sentence to the decoding, as the receive slot does.
    void receive(const QByteArray& body) { w->GPS_Analysis_Data_Process(sealed(body)); }
};

QList<double> bars(const MainWindow::GPS_SignalGroup& g)
{
    QList<double> values;
    for (int i = 0; i < g.categories.size(); ++i)
        values << g.set->at(i);
    return values;
}

} // namespace

class TestGps : public QObject
{
    Q_OBJECT
private slots:
    // `taken`: the address fields of the sentences handed on, in order.
    void framing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("cut"); // where the stream is split in two reads; 0: one read
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QByteArray>("left");
        const QByteArray gga = textbookGga;
        const QByteArray gsa = sealed("GPGSA,A,1,,,,,,,,,,,,,,,").chopped(2);
        const QByteArray rmc = sealed("GPRMC,235949.00,V,,,,,,,,,,N");
        const auto row = [](const char* name, const QByteArray& stream, const QString& taken, int cut = 0,
                            const QByteArray& left = {}) {
            QTest::newRow(name) << stream << cut << taken << left;
        };
        // clang-format off
        row("bad-checksum-then-good", QByteArray(gga).replace("*47", "*48") + gga, "GPGGA");
        row("checksum-not-hex",       QByteArray(gga).replace("*47", "*4G"), "");
        row("lower-case-hex",         "$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0c\r\n", "GPGSA");
        row("junk-between",           "xx" + gga + "noise" + gga, "GPGGA GPGGA");
        row("trailing-half-waits",    gga + "$GPVTG,1", "GPGGA", 0, "$GPVTG,1");
        // Damaged streams lose line ends: every '$' starts a sentence of its own.
        row("dollar-restarts",        "$GPGGA,12" + gga, "GPGGA");
        row("glued",                  gsa + rmc, "GPGSA GPRMC");
        row("glued-split-at-dollar",  gsa + rmc, "GPGSA GPRMC", gsa.size());
        row("no-dollar-dropped",      QByteArray(5000, 'x'), "");
        row("runaway-dropped",        "$GP" + QByteArray(Nmea::maxPendingBytes + 10, 'x'), "");
        // clang-format on
    }
    void framing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, cut);
        QFETCH(QString, taken);
        QFETCH(QByteArray, left);
        QByteArray buffer;
        QStringList addresses;
        for (const QByteArray& s : feed(buffer, stream, cut ? QList<int>{cut} : QList<int>{}))
            addresses << QString::fromLatin1(s.mid(1, s.indexOf(',') - 1));
        QCOMPARE(addresses.join(' '), taken);
        QCOMPARE(buffer, left);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const QByteArray& body, const QString& shown) {
            QTest::newRow(name) << body << shown;
        };
        // clang-format off
        row("rmc-munich",       "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
                                "12:35:19 48.1173000N 11.5166667E");
        row("rmc-south-west",   "GNRMC,083503.00,A,4807.038,S,07531.20562,W,,,241013,,,A",
                                "8:35:3 48.1173000S 75.5200937W");
        row("rmc-on-equator",   "GPRMC,1,A,0000.000,S,01131.000,E,,,,,,A", "0:0:1 0.0000000S 11.5166667E");
        row("rmc-leap-second",  "GPRMC,235960,A,4807.038,N,18000.000,W,,,311299,,,A",
                                "23:59:60 48.1173000N 180.0000000W");
        // No position: status V (even with stale coordinates), all zero, empty, no hemisphere.
        row("void-stale",       "GPRMC,170958.972,V,5200.8499,N,00421.7860,E,0,0,120610,,,N", "17:9:58 void");
        row("void-zeros-active", "GPRMC,235948.00,A,0000.0000,N,00000.0000,E,,,,,,A", "23:59:48 void");
        row("void-hemisphere",  "GPRMC,1,A,4807.038,,01131.000,E,,,,,,A", "0:0:1 void");
        row("void-no-time",     "GPRMC,,V,,,,,,,,,,N", "- void");
        // Fields out of range are refused like a bad checksum.
        row("negative-time",    "GPRMC,-123456,A,4807.038,N,01131.000,E,,,,,,A", "refused");
        row("hour-24",          "GPRMC,240000,A,4807.038,N,01131.000,E,,,,,,A", "refused");
        row("second-61",        "GPRMC,123461,V,,,,,,,,,,N", "refused");
        row("day-32",           "GPRMC,123519,V,,,,,,,320394,,,N", "refused");
        row("month-13",         "GPRMC,123519,V,,,,,,,231394,,,N", "refused");
        row("latitude-91",      "GPRMC,123519,A,9100.000,N,01131.000,E,,,,,,A", "refused");
        row("longitude-180.1",  "GPRMC,123519,A,4807.038,N,18000.001,E,,,,,,A", "refused");
        row("coord-minutes-60", "GPRMC,123519,A,4860.000,N,01131.000,E,,,,,,A", "refused");
        row("hemisphere-x",     "GPRMC,1,A,4807.038,X,01131.000,E,,,,,,A", "refused");
        row("gga-latitude-91",  "GPGGA,123519,9107.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", "refused");
        // GGA quality 1 to 5 is a fix (GPS, DGPS, PPS, RTK fixed, RTK float); 0 and 6 are not.
        row("gga-textbook",     textbookGga.mid(1, textbookGga.indexOf('*') - 1), "fix 8 545.4");
        row("gga-dgps",         "BDGGA,1,,,,,2,12,,-3.25,M,,,,", "fix 12 -3.25");
        row("gga-estimated",    "GPGGA,1,,,,,6,10,,1,M,,,,", "no-fix 10 1");
        row("gga-no-fix",       "GPGGA,001901.00,,,,,0,00,99.99,,,,,,", "no-fix 0 0");
        row("gga-short",        "GPGGA,1,2", "no-fix 0 0");
        row("gsa",              "GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39", "2.94 1.72 2.39");
        row("vtg-number-text",  "GPVTG,,T,,M,0.285,N,0.528abc,K,A", "0.528");
        row("gll-ignored",      "GPGLL,4002.1,N", "ignored");
        // An empty SNR reads 0, fractions truncate, slots not filled stay all zero.
        row("gsv-four",         "GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22",
                                "GP 12 5,45,120,38,1 12,30,200,40,1 15,60,45,0,1 25,10,300,22,1");
        row("gsv-fractions",    "GPGSV,3,3,10,07.9,20.5,90.99,33.9,11,05,10,29",
                                "GP 10 7,20,90,33,1 11,5,10,29,1");
        row("gsv-beidou",       "BDGSV,1,1,01,07,20,90,33", "BD 1 7,20,90,33,2");
        row("gsv-glonass",      "GLGSV,1,1,01,70,20,90,33", "other 1 70,20,90,33,3");
        row("gsv-galileo",      "GAGSV,1,1,01,7,20,90,33", "other 1 7,20,90,33,4");
        row("gsv-qzss",         "GQGSV,1,1,01,2,20,90,33", "other 1 2,20,90,33,5");
        row("gsv-gn",           "GNGSV,1,1,01,7,20,90,33", "other 1 7,20,90,33,0");
        // Position lines: decimal degrees, signed, in range, nothing else.
        row("pos-south-west", "Latitude:-33.9,Longitude:-18.4", "33.9S 18.4W");
        row("pos-signs-blanks", "Latitude: +1.5 ,Longitude:-0", "1.5N 0W");
        row("pos-limits", "Latitude:-90,Longitude:180.0", "90S 180.0E");
        row("pos-one-key", "Latitude:5", "refused");
        row("pos-empty", "Latitude:,Longitude:", "refused");
        row("pos-exponent", "Latitude:1e1,Longitude:2", "refused");
        row("pos-nan-inf", "Latitude:nan,Longitude:inf", "refused");
        // clang-format on
    }
    void decoding()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, shown);
        QCOMPARE(decoded(body.startsWith("Latitude") ? body : sealed(body)), shown);
    }

    // Real captures in random chunks: every sentence gpsd read is taken, in order, and
    // positions and satellites agree with its decoding. Damaged (a line end lost, a byte
    // dropped, changed or added), the stream yields only sentences gpsd read.
    void captures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no-fix-lf") << "ublox-lea-5q";
        QTest::newRow("normal-fix") << "gr601-w";
        QTest::newRow("cold-start") << "bn-9015";
    }
    void captures()
    {
        QFETCH(QString, name);
        const Capture capture(name);
        if (capture.stream.isEmpty())
            QSKIP("shared test data not present");
        QList<QByteArray> reference;
        for (const QByteArray& line : capture.chk)
            if (line.startsWith('$'))
                reference << line;
        QRandomGenerator random(20261207);
        for (int round = 0; round < 5; ++round) {
            QByteArray buffer;
            auto sentences =
                feed(buffer, capture.stream, randomCuts(capture.stream.size(), round ? 90 : 2, random));
            for (QByteArray& s : sentences)
                s = s.trimmed();
            QCOMPARE(sentences, reference);
        }
        // One damage a line at most: the checksum cannot see two that cancel.
        for (int round = 0; round < 20; ++round) {
            QByteArray damaged;
            for (QByteArray line : capture.stream.split('\n')) {
                const int at = random.bounded(int(line.size()) + 1);
                const int how = random.bounded(5);
                if (how == 1)
                    line.remove(at, 1);
                else if (how == 2 && at < line.size())
                    line[at] = char(random.bounded(256));
                else if (how == 3)
                    line.insert(at, char(random.bounded(256)));
                damaged += how == 0 ? line : line + '\n';
            }
            QByteArray buffer;
            for (const QByteArray& s : feed(buffer, damaged, randomCuts(damaged.size(), 90, random)))
                QVERIFY2(reference.contains(s.trimmed()), s.toHex().constData());
        }

        // Walk the reference: each report follows the sentences it was made from.
        QHash<int, nmea_slmsg> sky;
        QList<QPair<double, double>> fixes; // signed degrees of RMC and GGA
        int positions = 0, satellites = 0;
        QStringList reported; // gpsd's positions as "latitude,longitude"
        for (const QByteArray& line : capture.chk) {
            const QByteArray s = line + "\r\n";
            const char* text = s.constData();
            const Nmea::SentenceType type = Nmea::sentenceType(text);
            const QJsonObject report = QJsonDocument::fromJson(line).object();
            if (report.value("class") == "TPV" && report.contains("lat"))
                reported << QString::asprintf("%.7f,%.7f", report["lat"].toDouble(),
                                              report["lon"].toDouble());
            if (type == Nmea::SentenceType::Gsv) {
                for (const nmea_slmsg& r : Nmea::decodeGsvSatellites(text))
                    if (r.prn)
                        sky.insert(r.prn, r);
            } else if (type == Nmea::SentenceType::Rmc || type == Nmea::SentenceType::Gga) {
                const auto degrees = [text](int field) {
                    const QString letter(QChar(Nmea::fieldChar(text, field + 1)));
                    return GpsTrack::signedDegrees(Nmea::coordinateText(text, field), letter).toDouble();
                };
                const int lat = type == Nmea::SentenceType::Rmc ? 3 : 2;
                fixes << qMakePair(degrees(lat), degrees(lat + 2));
            } else if (report.value("class") == "TPV" && report.contains("lat") && !fixes.isEmpty()) {
                // One of the last three positions is the one the report came from.
                bool matched = false;
                for (int i = fixes.size() - 1; i >= std::max(0, int(fixes.size()) - 3) && !matched; --i)
                    matched = std::abs(fixes[i].first - report.value("lat").toDouble()) < 1e-7 &&
                              std::abs(fixes[i].second - report.value("lon").toDouble()) < 1e-7;
                QVERIFY2(matched, line.constData());
                ++positions;
            }
            for (const QJsonValue& v : report.value("satellites").toArray()) {
                const QJsonObject sat = v.toObject();
                QVERIFY2(sky.contains(sat.value("PRN").toInt()), line.constData());
                const nmea_slmsg r = sky.value(sat.value("PRN").toInt());
                QCOMPARE(QList<int>({r.elevation, r.azimuth, r.snr}),
                         QList<int>({sat["el"].toInt(), sat["az"].toInt(), sat["ss"].toInt()}));
                ++satellites;
            }
        }
        QCOMPARE(positions > 0 && satellites > 0, name != QLatin1String("ublox-lea-5q"));

        // Through a pty into the window, in random chunks: the labels end on gpsd's last
        // position, the map and the track file hold the one position the throttle let
        // through, and it is one gpsd reported (never a void or stale one).
        Gps g;
        QVERIFY(g.waitForMap());
        PtyPair pty;
        g.ui->GPSSavecheckBox->setChecked(true);
        g.openOn(pty.slavePath());
        QVERIFY(g.w->Serial_isOpen);
        // The port is read on the GUI thread: each chunk waits until the tab has taken the last.
        qint64 read = 0;
        connect(g.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&read](const QByteArray& data) { read += data.size(); });
        const QList<int> cuts = randomCuts(capture.stream.size(), 300, random) << capture.stream.size();
        for (int i = 1; i < cuts.size(); ++i) {
            pty.write(capture.stream.mid(cuts[i - 1], cuts[i] - cuts[i - 1]));
            QTRY_COMPARE(read, qint64(cuts[i]));
        }
        const QString track = QString::fromLatin1(g.track()).remove("Latitude:").replace(",Longitude:", ",");
        const QString shown = GpsTrack::signedDegrees(g.ui->Weidu->text(), g.ui->Weidufangxiang->text()) +
                              ',' +
                              GpsTrack::signedDegrees(g.ui->Jingdu->text(), g.ui->Jingdufangxiang->text());
        QCOMPARE(shown, reported.isEmpty() ? QStringLiteral("Null,Null") : reported.last());
        // One track point, where the map went: a position gpsd reported, never a void one.
        QCOMPARE(track.count('\n'), reported.isEmpty() ? 0 : 1);
        QVERIFY2(reported.isEmpty() || reported.contains(track.trimmed()), qPrintable(track));
        QTRY_COMPARE(g.js("Latit.toFixed(7) + ',' + Longit.toFixed(7)").toString(),
                     reported.isEmpty() ? QStringLiteral("39.9150000,116.4040000") : track.trimmed());

        // A half sentence left when the port closes is gone when it opens again.
        pty.write("$GPGGA,123519,48");
        QTRY_COMPARE(g.w->GPS_rxBuffer, QByteArray("$GPGGA,123519,48"));
        press(g.ui->GPSopencompushButton);
        QVERIFY(!g.w->Serial_isOpen);
        g.openOn(pty.slavePath());
        QCOMPARE(g.w->GPS_rxBuffer, QByteArray());
    }

    // The worker decodes the oldest sentence once another is behind it, then waits for the
    // tab; fifty sentences may wait meanwhile, the fifty-first empties the queue. It stops
    // at once, waiting or not.
    void worker()
    {
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        worker.start();
        const QByteArray two = sealed("GPGSV,3,3,10,07,20,90,33,11,05,10,29");
        give(worker, sealed("GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22"));
        QVERIFY(!results.wait(300));
        give(worker, two);
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(int(worker.records()[3].prn), 25);
        while (worker.queueSize() < 50)
            give(worker, two);
        QVERIFY(!results.wait(300) && worker.isWaiting());
        give(worker, two);
        QTRY_COMPARE(worker.queueSize(), 0);
        give(worker, two);
        give(worker, two);
        worker.Wait_Data(false);
        QTRY_COMPARE(results.size(), 2);
        QCOMPARE(int(worker.records()[1].prn), 11);
        QCOMPARE(int(worker.records()[2].constellation), 0); // nothing left of the first
        QElapsedTimer clock;
        clock.start();
        worker.stop();
        worker.quit();
        QVERIFY(worker.wait(1000) && clock.elapsed() < 200);

        GPS_Signal idle; // never started: its queue stays bounded all the same
        for (int i = 0; i < GPS_Signal::hardCap + 5; ++i)
            give(idle, two);
        QVERIFY(idle.queueSize() <= GPS_Signal::hardCap);
    }

    // Zone and band; inside the UTM bands the conversion comes back to the same point.
    void zoneAndRoundTrip_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lng");
        QTest::addColumn<QString>("zone");
        // clang-format off
        const struct { const char* name; double lat, lng; const char* zone; } rows[] = {
            {"equator-central-meridian", 0, 3, "31N"}, {"norway-exception", 60, 5, "32V"},
            {"svalbard-31", 78, 8, "31X"}, {"svalbard-33", 78, 15, "33X"}, {"svalbard-35", 78, 25, "35X"},
            {"svalbard-37", 78, 40, "37X"}, {"cape-town", -33.9, 18.4, "34H"}, {"band-84", 84, 3, "31X"},
            {"above-84", 85, 3, "31Z"}, {"below-80", -80.5, 3, "31Z"}, {"just-south", -0.1, 3, "31M"},
            {"lng-past-180", 10, 183, "1P"}, {"west-180", 10, -180, "1P"}, {"antimeridian", 10, 179, "60P"},
        };
        // clang-format on
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.lat << r.lng << QString(r.zone);
    }
    void zoneAndRoundTrip()
    {
        QFETCH(double, lat);
        QFETCH(double, lng);
        QFETCH(QString, zone);
        const UTM there = LatLong_to_UTM(wgs84, lat, lng);
        QCOMPARE(there.Zone, zone);
        if (lat > 84 || lat < -80 || std::abs(lng) > 180)
            return;
        const LatLong back = UTM_to_LatLong(wgs84, there);
        QVERIFY2(std::abs(back.latitude - lat) < 1e-6 && std::abs(back.longitude - lng) < 1e-6,
                 qPrintable(QString::asprintf("%.9f %.9f", back.latitude, back.longitude)));
    }

    void forwardAndBack()
    {
        // Great circles on a 6378.137 km sphere (at the antipodes rounding pushes the haversine past 1).
        // clang-format off
        const struct { double lat1, lng1, lat2, lng2; const char* km; } distances[] = {
            {0, 0, 0, 1, "111.319"}, {39.915, 116.404, 39.915, 116.404, "0"}, {0, 0, 0, 180, "20037.5"},
            {45, 10, -45, -170, "20037.5"}, {90, 0, 0, 0, "10018.8"}};
        // clang-format on
        for (const auto& d : distances)
            QCOMPARE(QString::number(CalcDistance(d.lat1, d.lng1, d.lat2, d.lng2), 'g', 6), QString(d.km));
        // On the central meridian at the equator: the false easting and no northing.
        const UTM origin = LatLong_to_UTM(wgs84, 0, 3);
        QCOMPARE(QString::asprintf("%.8f %.8f", origin.Easting, origin.Northing),
                 QStringLiteral("500000.00000000 0.00000000"));
        // Snyder, Map Projections - A Working Manual, transverse Mercator example on Clarke 1866:
        // 40°30'N 73°30'W, central meridian 75°W gives x = 127106.5 m, y = 4484124.4 m (the
        // table's radius, 0.4 m shorter than Snyder's, moves y by about 0.3 m).
        const UTM snyder = LatLong_to_UTM(clarke1866, 40.5, -73.5);
        QCOMPARE(snyder.Zone, QStringLiteral("18T"));
        QVERIFY(std::abs(snyder.Easting - 627106.5) < 0.5 && std::abs(snyder.Northing - 4484124.4) < 0.5);
        const LatLong p = UTM_to_LatLong(clarke1866, {627106.5, 4484124.4, QStringLiteral("18T")});
        QVERIFY(std::abs(p.latitude - 40.5) < 1e-5 && std::abs(p.longitude + 73.5) < 1e-5);
        // A row outside the ellipsoid table gives nothing.
        QCOMPARE(LatLong_to_UTM(0, 10, 10).Zone + LatLong_to_UTM(24, 10, 10).Zone, QString());
        // The zone text's letter picks the hemisphere: N and above (any case) north.
        for (const QString& zone : {"31N", "31M", "31", "31n", "31\u00e9"}) {
            const LatLong q = UTM_to_LatLong(wgs84, {500000, 5000000, zone});
            QCOMPARE(q.latitude > 0, zone.endsWith('N') || zone.endsWith('n'));
            QCOMPARE(q.longitude, 3.0);
        }
    }

    // Void and glued sentences leave no position, map step or track point; a void report
    // after a real one changes nothing and cancels a waiting map step. A track file that
    // cannot be written is reported.
    void voidAndGluedSentences()
    {
        Gps g;
        g.ui->GPSSavecheckBox->setChecked(true);
        const auto read = [&g](const QByteArray& body) { g.w->readGPSCom(sealed(body)); };
        read("GPGGA,235947.00,,,,,1,00,99.99,,,,,,"); // a fix from before the restart
        g.w->readGPSCom(sealed("GPGSA,A,1,,,,,,,,,,,,,,,").chopped(2) +
                        sealed("GPRMC,235949.00,A,,,,,,,,,,N"));
        read("GPRMC,235950.00,A,0000.0000,N,00000.0000,E,,,,,,A");
        QCOMPARE(g.ui->GPS_UTC->text() + ' ' + g.position(), QStringLiteral("23:59:50 Null  Null "));
        QVERIFY(g.w->GPS_lastMapUpdate == 0 && g.track().isEmpty());
        read("GPRMC,235951.00,A,0030.000,N,00015.000,W,,,,,,A");
        g.w->GPS_lastMapUpdate = 0;
        g.w->GPS_fixValid = 1;
        read("GPRMC,235952.00,V,4807.038,S,01131.000,E,,,,,,N");
        QCOMPARE(g.position(), QStringLiteral("0.5000000 N 0.2500000 W"));
        QCOMPARE(g.track(), QByteArray("Latitude:0.5000000,Longitude:-0.2500000\r\n"));
        QFile::remove(g.home.path() + "/GPS_Date.txt");
        QVERIFY(QDir(g.home.path()).mkdir("GPS_Date.txt"));
        g.w->GPSSavefile("1.0", "2.0");
        QCOMPARE(g.status(), "Unable to save GPS data.\n" + QString::fromLocal8Bit(strerror(EISDIR)));
    }

    // Clients joining, leaving mid-line and interleaving: each complete valid line is
    // shown, mapped and recorded once, with its hemispheres; nothing else is.
    void tcpPositionServer()
    {
        Gps g;
        QVERIFY(g.waitForMap());
        g.ui->GPSSavecheckBox->setChecked(true);
        g.ui->GPSportMode_02->click();
        g.ui->GPSTCPServerPortlineEdit->setText("70000");
        press(g.ui->GPSTCPopencompushButton);
        QCOMPARE(g.status(), QStringLiteral("Server failed to start: invalid port"));
        press(g.ui->GPSTCPopencompushButton);
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        g.ui->GPSportMode_01->click(); // the server keeps working behind the COM controls
        QTcpSocket a, b, c;
        for (QTcpSocket* s : {&a, &b, &c}) {
            s->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(s->waitForConnected(3000));
        }
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 3);
        const auto send = [](QTcpSocket& s, const QByteArray& data) {
            s.write(data);
            QVERIFY(s.waitForBytesWritten(3000));
        };
        const auto recorded = [&g](int lines) { QTRY_COMPARE(g.track().count('\n'), lines); };
        send(a, "Latitude:7");
        a.disconnectFromHost();
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 2);
        send(b, "Latitude:8.5,Longitude:-9.5\r\n");
        recorded(1);
        send(c, "Latitude:-33.9,Long");
        send(b, "Latitude:95,Longitude:200\r\nLatitude:1);alert(1);(1,Longitude:<img src=x>\r\n");
        send(b, "Latitude:1.25,Longitude:2.5\r\n");
        recorded(2);
        send(c, "itude:18.4\r\n");
        recorded(3);
        QCOMPARE(g.position(), QStringLiteral("33.9 S 18.4 E"));
        QTRY_COMPARE(g.js("[Latit, Longit].join()").toString(), QStringLiteral("-33.9,18.4"));
        // Zeros are shown but not recorded.
        send(c, "Latitude:0.000000,Longitude:0.000000\r\nLatitude:-1,Longitude:-2\r\n");
        recorded(4);
        QCOMPARE(g.track(), QByteArray("Latitude:8.5,Longitude:-9.5\r\nLatitude:1.25,Longitude:2.5\r\n"
                                       "Latitude:-33.9,Longitude:18.4\r\nLatitude:-1,Longitude:-2\r\n"));

        g.ui->GPSportMode_02->click();
        press(g.ui->GPSTCPopencompushButton);
        QVERIFY(g.w->GPS_tcpClients.isEmpty() && g.w->GPS_tcpBuffers.isEmpty());
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
    }

    // Five clients flood the server with 50,000 position lines: every line reaches the track
    // file, the window keeps handling events, and the map moves far less often than once a
    // line, ending on the newest position with no more points than before.
    void tcpPositionFlood()
    {
        Gps g;
        QVERIFY(g.waitForMap());
        g.js("var moves = 0; var setLatitOnce = Set_Latit;"
             "window.Set_Latit = function (v) { moves++; setLatitOnce(v); }; 0");
        const int layers = g.js("Object.keys(map._layers).length").toInt();
        g.ui->GPSSavecheckBox->setChecked(true);
        g.ui->GPSportMode_02->click();
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        constexpr int clients = 5, linesEach = 10000;
        QList<QTcpSocket*> sockets;
        QObject scope;
        QSet<QByteArray> expected;
        for (int c = 0; c < clients; ++c) {
            auto* s = new QTcpSocket(&scope);
            s->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(s->waitForConnected(3000));
            sockets << s;
        }
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), clients);
        // How long the window's event loop went without turning, while the flood lasts.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &scope,
                         [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        QList<QByteArray> batches;
        for (int c = 0; c < clients; ++c) {
            QByteArray lines;
            for (int i = 0; i < linesEach; ++i) {
                const QByteArray line = "Latitude:" + QByteArray::number(c + 1) + "." +
                                        QByteArray::number(i).rightJustified(5, '0') + ",Longitude:-" +
                                        QByteArray::number(i % 180) + ".25\r\n";
                expected.insert(line);
                lines += line;
            }
            batches << lines;
        }
        sinceTick.start();
        tick.start(10);
        for (int c = 0; c < clients; ++c)
            sockets[c]->write(batches[c]);
        QTRY_COMPARE_WITH_TIMEOUT(g.track().count('\n'), clients * linesEach, 120000);
        tick.stop();
        const QList<QByteArray> recorded = g.track().split('\n');
        QCOMPARE(QSet<QByteArray>(recorded.begin(), recorded.end() - 1), [&] {
            QSet<QByteArray> unended;
            for (const QByteArray& line : expected)
                unended.insert(line.chopped(1));
            return unended;
        }());
        QVERIFY2(longestGap < 2000, qPrintable(QString::number(longestGap)));
        const int moves = g.js("moves").toInt();
        QVERIFY2(moves > 0 && moves <= clients * linesEach / 10, qPrintable(QString::number(moves)));
        const QString newest = (g.ui->Weidufangxiang->text() == "S" ? "-" : "") + g.ui->Weidu->text() + "," +
                               (g.ui->Jingdufangxiang->text() == "W" ? "-" : "") + g.ui->Jingdu->text();
        QTRY_COMPARE(g.js("[Latit, Longit].join()").toString(), newest);
        QCOMPARE(g.js("Object.keys(map._layers).length").toInt(), layers);
    }

    // A client that sends a flood and goes at once: all it sent is read, shown and recorded,
    // and then it goes.
    void tcpClientGoneAfterAFloodIsReadToTheEnd()
    {
        Gps g;
        g.ui->GPSSavecheckBox->setChecked(true);
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(client.waitForConnected(3000));
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 1);
        const QString address = g.w->GPS_tcpClients.first()->peerAddress().toString();
        constexpr int lines = 30000; // some 1 MB: many reads
        QByteArray flood;
        for (int i = 0; i < lines; ++i)
            flood += "Latitude:1." + QByteArray::number(i).rightJustified(5, '0') + ",Longitude:2.5\r\n";
        client.write(flood);
        client.disconnectFromHost();
        QTRY_VERIFY_WITH_TIMEOUT(g.w->GPS_tcpClients.isEmpty(), 60000);
        QCOMPARE(g.track().count('\n'), lines);
        QVERIFY(g.track().endsWith("Latitude:1.29999,Longitude:2.5\r\n"));
        QVERIFY(LogView::of(g.ui->GPStextBrowser)->text().endsWith("Latitude:1.29999,Longitude:2.5\n"));
        QCOMPARE(g.status(), "Client: " + address + " Left");
    }

    // The track tells where the user has been: readable by the user alone, also once more
    // positions are appended; a FIFO picked for replay is refused at once.
    void trackFileIsPrivateAndReplayRefusesFifo()
    {
        Gps g;
        const QString track = g.home.path() + "/GPS_Date.txt";
        const QFile::Permissions userOnly =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        g.w->GPSSavefile("1.5", "2.5");
        QCOMPARE(QFile::permissions(track), userOnly);
        g.w->GPSSavefile("-3.5", "4.5");
        QCOMPARE(QFile::permissions(track), userOnly);
        QCOMPARE(g.track().count('\n'), 2);

        PickedFifo fifo;
        QVERIFY(fifo.isValid());
        auto* files = new FileChooserFake;
        files->answers = {fifo.path()};
        g.w->fileChooser.reset(files);
        QElapsedTimer taken;
        taken.start();
        press(g.ui->GPStrochoidpushButton);
        QVERIFY2(taken.elapsed() < 1000, qPrintable(QString::number(taken.elapsed())));
        QVERIFY2(g.status().contains(PickedFile::notRegularReason()), qPrintable(g.status()));
    }

    // Two clients each cut a GBK character between two packets, the other's packet coming in
    // between: each character is joined from its own client's bytes.
    void tcpClientsDecodedApart()
    {
        Gps g;
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        QTcpSocket a, b;
        for (QTcpSocket* s : {&a, &b}) {
            s->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(s->waitForConnected(3000));
        }
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 2);
        const auto shown = [&g] { return LogView::of(g.ui->GPStextBrowser)->text(); };
        // 深圳市 in GBK: C9EE DBDA CAD0.
        const QList<QPair<QTcpSocket*, const char*>> packets = {
            {&a, "c9eedb"}, {&b, "ca"}, {&a, "da"}, {&b, "d0"}};
        const QStringList expected = {"深", "深", "深圳", "深圳市"};
        for (int i = 0; i < packets.size(); ++i) {
            packets[i].first->write(QByteArray::fromHex(packets[i].second));
            QVERIFY(packets[i].first->waitForBytesWritten(3000));
            QTRY_COMPARE(g.status().startsWith("TCP receive"), true);
            QTRY_COMPARE(shown(), expected[i]);
            g.ui->statusBar->clearMessage();
        }
    }

    // The page centres on the IP location; a replayed track draws a segment per change of
    // position, skipping lines that are no position in range; a route destination reaches
    // the page as the text typed, quotes and all.
    void mapPage()
    {
        Gps g;
        QVERIFY(g.waitForMap());
        QTRY_VERIFY(g.js("hereMarker !== null").toBool());
        QFile out(g.home.path() + "/track.txt");
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(
            "Latitude:10.5,Longitude:20.5\r\nLatitude:10.5,Longitude:20.5\r\nnoise\r\n"
            "Latitude:alert(1),Longitude:2\r\nLatitude:95,Longitude:2\r\nLatitude:11.5,Longitude:21.5\n");
        out.close();
        QObject scope;
        answerModals<QFileDialog>(&scope, [path = out.fileName()](QFileDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(d)->accept();
        });
        press(g.ui->GPStrochoidpushButton);
        QTRY_COMPARE(g.js("trackLines.map(function (l) { return l.getLatLngs().map(function (p) {"
                          " return p.lat + ',' + p.lng; }).join(); }).join('|')")
                         .toString(),
                     QStringLiteral("10.5,20.5,10.5,20.5|10.5,20.5,11.5,21.5"));

        g.js("var calls = []; window.Set_endaddress = function (d) { calls.push('Set_endaddress:' + d); };"
             "window.searchdriving = function (d) { calls.push('searchdriving:' + d); }; 0");
        answerModals<QInputDialog>(
            &scope, [](QInputDialog* d) { d->setTextValue("it's \\ </script>"), d->accept(); });
        g.w->GPSsearchdriving_triggered();
        QTRY_COMPARE(g.js("calls.join('|')").toString(),
                     QStringLiteral("Set_endaddress:it's \\ </script>|searchdriving:it's \\ </script>"));
    }

    // The map joins the window only when its tab is first current; positions sent before
    // then (and before its page loaded) reach it then, the newest last.
    void positionsWaitForMap_data()
    {
        QTest::addColumn<QStringList>("positions"); // "latitude,longitude" in the order sent
        QTest::addColumn<bool>("centre");
        QTest::newRow("one") << QStringList{"10.5,20.25"} << false;
        QTest::newRow("newest-wins") << QStringList{"1,2", "3,4", "-5.5,6.75"} << false;
        QTest::newRow("centred") << QStringList{"48.1173,11.5167"} << true;
        QStringList many;
        for (int i = 0; i < 5000; ++i) // beyond what is kept waiting: the newest still ends up shown
            many << QString("%1,%2").arg(i % 80).arg(i % 170);
        QTest::newRow("more-than-kept") << many << false;
    }
    void positionsWaitForMap()
    {
        QFETCH(QStringList, positions);
        QFETCH(bool, centre);
        Gps g;
        for (const QString& p : positions)
            g.w->GPS_moveMap(p.section(',', 0, 0), p.section(',', 1), centre);
        QVERIFY(!g.w->GPS_mapView);
        QVERIFY(g.waitForMap());
        QTRY_COMPARE(g.js("var p = marker.getLatLng(); p.lat + ',' + p.lng").toString(), positions.last());
        if (centre)
            QTRY_COMPARE(
                g.js("var c = map.getCenter(); c.lat.toFixed(4) + ',' + c.lng.toFixed(4)").toString(),
                positions.last());
        g.w->GPS_moveMap("7", "8", false); // once loaded, at once
        QTRY_COMPARE(g.js("var p = marker.getLatLng(); p.lat + ',' + p.lng").toString(), QString("7,8"));
    }

    // Bars and sky points follow the worker's results; a weak satellite leaves both; a
    // result arriving while busy is dropped and the worker released all the same. Closing
    // stops the worker; the window closes with both dialogs open and the worker busy.
    void satelliteDialog()
    {
        Gps g;
        MainWindow& w = *g.w;
        press(g.ui->GPSsignal);
        QPointer<GPS_Signal> worker = w.GPS_signalThread;
        g.receive("GPGSV,3,1,12,12,30,120,40,15,60,45,35,25,10,300,22,07,20,90,33");
        g.receive("GAGSV,1,1,01,12,50,200,30");
        auto& gps = w.GPS_signalGroups[1];
        QTRY_COMPARE(gps.categories, (QStringList{"GP12", "GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{40, 35, 22, 33}));

        g.receive("GPGSV,3,1,12,12,30,120,3"); // weaker than 5
        g.receive("GAGSV,1,1,01,12,50,200,30");
        g.receive("GLGSV,1,1,00"); // only pushes the one before it through
        QTRY_COMPARE(gps.categories, (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{35, 22, 33}));
        // The Galileo satellite with the same PRN drew the shared sky point (azimuth, 90 - elevation).
        QTRY_COMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{200, 40}}));

        QSignalSpy released(&w, &MainWindow::GPS_GUI_Wait_Data_Over);
        g.receive("GPGSV,1,1,01,08,20,90,33");
        QTRY_COMPARE(released.size(), 1);
        g.receive("GPGSV,1,1,01,09,20,90,33");
        w.GPS_signalBusy = true; // before the result for PRN 8 can arrive
        QTRY_COMPARE(released.size(), 2);
        QVERIFY(!w.GPS_signalBusy && !w.GPS_skyDrawn[8] && !gps.categories.contains("GP8"));

        press(w.GPS_signalUi->GPSsignalCancel);
        QTRY_VERIFY(worker.isNull() && !w.GPS_signalOpen);
        press(g.ui->GPSsignal);
        press(g.ui->GPScalculate);
        worker = w.GPS_signalThread;
        g.receive("GPGSV,1,1,01,07,20,90,33");
        g.receive("GPGSV,1,1,01,08,20,90,33");
        g.w.reset();
        QVERIFY(worker.isNull());
    }
};

QTEST_MAIN(TestGps)
#include "tst_gps.moc"
