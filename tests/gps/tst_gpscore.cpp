// The GPS code without widgets: NMEA framing and decoding, fed whole, in chunks and from
// real captures (whole and damaged); position lines; the satellite worker as a real
// thread; distance and UTM conversions against hand-computed and published values.
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

#include "gps/UTMconversion.h"
#include "gps/gpssignal.h"
#include "gps/gpstrack.h"
#include "gps/nmea.h"
#include "tests/gps/nmeatext.h"

namespace {

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
// the talker, the count in view, each satellite as "prn,el,az,snr,constellation".
QString decoded(const QByteArray& sentence)
{
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

} // namespace

class TestGpsCore : public QObject
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
        row("whole",                  gga, "GPGGA");
        row("split-in-field",         gga, "GPGGA", 40);
        row("split-cr-lf",            gga, "GPGGA", gga.size() - 1);
        row("bad-checksum-then-good", QByteArray(gga).replace("*47", "*48") + gga, "GPGGA");
        row("checksum-not-hex",       QByteArray(gga).replace("*47", "*4G"), "");
        row("lower-case-hex",         "$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0c\r\n", "GPGSA");
        row("no-star",                "$GPGGA,1,2,3\r\n", "");
        row("junk-between",           "xx" + gga + "noise" + gga, "GPGGA GPGGA");
        row("trailing-half-waits",    gga + "$GPVTG,1", "GPGGA", 0, "$GPVTG,1");
        row("lf-only",                "$GPGSV,1,1,00*79\n", "GPGSV");
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
        row("rmc-near-zero",    "GPRMC,000000,A,0030.000,N,00015.000,W,,,,,,A", "0:0:0 0.5000000N 0.2500000W");
        row("rmc-on-equator",   "GPRMC,1,A,0000.000,S,01131.000,E,,,,,,A", "0:0:1 0.0000000S 11.5166667E");
        row("rmc-leap-second",  "GPRMC,235960,A,4807.038,N,18000.000,W,,,311299,,,A",
                                "23:59:60 48.1173000N 180.0000000W");
        // No position: status V (even with stale coordinates), all zero, empty, no hemisphere.
        row("void-stale",       "GPRMC,170958.972,V,5200.8499,N,00421.7860,E,0,0,120610,,,N", "17:9:58 void");
        row("void-zeros-active", "GPRMC,235948.00,A,0000.0000,N,00000.0000,E,,,,,,A", "23:59:48 void");
        row("void-empty",       "GPRMC,001902.00,V,,,,,,,020211,,,N", "0:19:2 void");
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
        row("gga-rtk-float",    "GPGGA,1,,,,,5,10,,1,M,,,,", "fix 10 1");
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
        row("gsv-gb",           "GBGSV,1,1,01,07,20,90,33", "BD 1 7,20,90,33,2");
        row("gsv-glonass",      "GLGSV,1,1,01,70,20,90,33", "other 1 70,20,90,33,3");
        row("gsv-galileo",      "GAGSV,1,1,01,7,20,90,33", "other 1 7,20,90,33,4");
        row("gsv-qzss",         "GQGSV,1,1,01,2,20,90,33", "other 1 2,20,90,33,5");
        row("gsv-gn",           "GNGSV,1,1,01,7,20,90,33", "other 1 7,20,90,33,0");
        // clang-format on
    }
    void decoding()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, shown);
        QCOMPARE(decoded(sealed(body)), shown);
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
        for (const QByteArray& line : capture.chk) {
            const QByteArray s = line + "\r\n";
            const char* text = s.constData();
            const Nmea::SentenceType type = Nmea::sentenceType(text);
            const QJsonObject report = QJsonDocument::fromJson(line).object();
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
    }

    // Position lines of TCP clients and the track file, as the tab shows them.
    void positionLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("north-east")    << "Latitude:22.54310,Longitude:114.05790" << "22.54310N 114.05790E";
        QTest::newRow("south-west")    << "Latitude:-33.9,Longitude:-18.4" << "33.9S 18.4W";
        QTest::newRow("signs-blanks")  << "Latitude: +1.5 ,Longitude:-0" << "1.5N 0W";
        QTest::newRow("limits")        << "Latitude:-90,Longitude:180.0" << "90S 180.0E";
        QTest::newRow("one-key")       << "Latitude:5" << "refused";
        QTest::newRow("empty")         << "Latitude:,Longitude:" << "refused";
        QTest::newRow("exponent")      << "Latitude:1e1,Longitude:2" << "refused";
        QTest::newRow("nan-inf")       << "Latitude:nan,Longitude:inf" << "refused";
        QTest::newRow("latitude-95")   << "Latitude:95,Longitude:20" << "refused";
        QTest::newRow("longitude-200") << "Latitude:9,Longitude:-200" << "refused";
        QTest::newRow("script")        << "Latitude:1);alert(1);(1,Longitude:<b>2</b>" << "refused";
        // clang-format on
    }
    void positionLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, shown);
        const auto p = GpsTrack::parse(line);
        QString got = QStringLiteral("refused");
        if (p && GpsTrack::isPosition(*p)) {
            const auto lat = GpsTrack::splitDegrees(p->latitude, "N", "S");
            const auto lon = GpsTrack::splitDegrees(p->longitude, "E", "W");
            got = lat.first + lat.second + ' ' + lon.first + lon.second;
        }
        QCOMPARE(got, shown);
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
        QCOMPARE(results.at(0).at(0).value<nmea_slmsg*>(), worker.records());
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
            {"beijing", 39.915, 116.404, "50S"}, {"malvern", 40.0350855, -75.5200937, "18T"},
            {"quito", -0.18, -78.47, "17M"},
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
        // Great circles on a 6378.137 km sphere: a degree of the equator is 2*pi*6378.137/360,
        // half the circumference pi*6378.137 (at the antipodes rounding pushes the haversine
        // past 1).
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
        // Snyder, Map Projections - A Working Manual, transverse Mercator example on
        // Clarke 1866: 40°30'N 73°30'W, central meridian 75°W gives x = 127106.5 m,
        // y = 4484124.4 m. The table's radius is 0.4 m shorter than Snyder's 6378206.4,
        // which moves y by about 0.3 m.
        const UTM snyder = LatLong_to_UTM(clarke1866, 40.5, -73.5);
        QCOMPARE(snyder.Zone, QStringLiteral("18T"));
        QVERIFY(std::abs(snyder.Easting - 627106.5) < 0.5 && std::abs(snyder.Northing - 4484124.4) < 0.5);
        const LatLong p = UTM_to_LatLong(clarke1866, {627106.5, 4484124.4, QStringLiteral("18T")});
        QVERIFY(std::abs(p.latitude - 40.5) < 1e-5 && std::abs(p.longitude + 73.5) < 1e-5);
        // South of the equator the northing carries the 10 000 km false northing.
        const UTM south = LatLong_to_UTM(wgs84, -33.9, 18.4);
        QVERIFY(south.Northing > 6000000 && south.Northing < 10000000);
        // A row outside the ellipsoid table gives nothing.
        QCOMPARE(LatLong_to_UTM(0, 10, 10).Zone + LatLong_to_UTM(24, 10, 10).Zone, QString());
        // The zone text's letter picks the hemisphere: N and above (any case) north.
        for (const QString& zone : {"31N", "31M", "31", "31n", "31\u00e9"}) {
            const LatLong q = UTM_to_LatLong(wgs84, {500000, 5000000, zone});
            QCOMPARE(q.latitude > 0, zone.endsWith('N') || zone.endsWith('n'));
            QCOMPARE(q.longitude, 3.0);
        }
    }
};

QTEST_GUILESS_MAIN(TestGpsCore)
#include "tst_gpscore.moc"
