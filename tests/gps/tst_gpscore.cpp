// The GPS code without widgets: NMEA framing and decoding, fed whole, in chunks and from
// real captures; the satellite worker as a real thread; distance and UTM conversions
// against hand-computed and published values.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

#include "gps/UTMconversion.h"
#include "gps/gpssignal.h"
#include "gps/nmea.h"
#include "tests/common/shareddata.h"
#include "tests/gps/nmeatext.h"

namespace {

QList<QByteArray> feedInChunks(QByteArray& buffer, const QByteArray& stream, const QList<int>& cuts)
{
    QList<QByteArray> out;
    int from = 0;
    for (int cut : cuts + QList<int>{int(stream.size())}) {
        out += Nmea::takeSentences(buffer, stream.mid(from, cut - from));
        from = cut;
    }
    return out;
}

QList<QByteArray> lines(const QString& path)
{
    QFile file(path);
    QList<QByteArray> all;
    if (file.open(QIODevice::ReadOnly))
        while (!file.atEnd())
            all << file.readLine();
    return all;
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

UTM utm(double easting, double northing, const QString& zone)
{
    UTM u;
    u.Easting = easting;
    u.Northing = northing;
    u.Zone = zone;
    return u;
}

} // namespace

class TestGpsCore : public QObject
{
    Q_OBJECT
private slots:
    void framing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("cut"); // where the stream is split in two reads; 0: one read
        QTest::addColumn<int>("sentences");
        QTest::addColumn<QByteArray>("left");
        const QByteArray gga = textbookGga;
        const auto row = [](const char* name, const QByteArray& stream, int sentences, int cut = 0,
                            const QByteArray& left = {}) {
            QTest::newRow(name) << stream << cut << sentences << left;
        };
        row("whole", gga, 1);
        row("split-in-field", gga, 1, 40);
        row("split-cr-lf", gga, 1, gga.size() - 1);
        row("bad-checksum-then-good", QByteArray(gga).replace("*47", "*48") + gga, 1);
        row("checksum-not-hex", QByteArray(gga).replace("*47", "*4G"), 0);
        row("lower-case-hex", "$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0c\r\n", 1);
        row("no-star", "$GPGGA,1,2,3\r\n", 0);
        row("junk-between", "xx" + gga + "noise" + gga, 2);
        row("trailing-half-waits", gga + "$GPVTG,1", 1, 0, "$GPVTG,1");
        row("lf-only", "$GPGSV,1,1,00*79\n", 1);
        // A '$' inside an unfinished sentence joins the two; the joined text fails its check.
        row("dollar-joins", "$GPGGA,12" + gga, 0);
        row("no-dollar-dropped", QByteArray(5000, 'x'), 0);
        row("runaway-sentence-dropped", "$GP" + QByteArray(Nmea::maxPendingBytes + 10, 'x'), 0);
    }
    void framing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, cut);
        QFETCH(int, sentences);
        QFETCH(QByteArray, left);
        QByteArray buffer;
        const QList<QByteArray> out = feedInChunks(buffer, stream, cut ? QList<int>{cut} : QList<int>{});
        QCOMPARE(out.size(), sentences);
        QCOMPARE(buffer, left);
        for (const QByteArray& s : out)
            QVERIFY(s.startsWith('$') && s.endsWith('\n'));
    }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<char>("first");
        QTest::newRow("address") << textbookGga << 0 << 0.0 << '$';
        QTest::newRow("letter") << textbookGga << 3 << 0.0 << 'N';
        QTest::newRow("empty") << textbookGga << 13 << 0.0 << char(0);
        QTest::newRow("last-before-star") << sealed("GPGSV,3,3,10,07,20,90,33") << 7 << 33.0 << '3';
        QTest::newRow("past-the-end") << textbookGga << 40 << 0.0 << char(0);
        QTest::newRow("number-then-text") << QByteArray("$X,12.5abc,*00") << 1 << 12.5 << '1';
        QTest::newRow("not-a-number") << QByteArray("$X,abc*00") << 1 << 0.0 << 'a';
        QTest::newRow("long-field-cut")
            << "$X," + QByteArray(200, '7') + "*00" << 1 << std::pow(10.0, 98) * 7 / 9 << '7';
    }
    void fields()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(int, field);
        QFETCH(double, value);
        QFETCH(char, first);
        const double got = Nmea::fieldValue(sentence.constData(), field);
        QVERIFY2(std::abs(got - value) <= std::abs(value) * 1e-12, qPrintable(QString::number(got)));
        QCOMPARE(Nmea::fieldChar(sentence.constData(), field), first);
    }

    void dispatchByType_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<Nmea::SentenceType>("type");
        QTest::newRow("gnrmc") << QByteArray("$GNRMC,...") << Nmea::SentenceType::Rmc;
        QTest::newRow("bdgga") << QByteArray("$BDGGA,...") << Nmea::SentenceType::Gga;
        QTest::newRow("txt-mentioning-gga")
            << QByteArray("$GPTXT,01,01,02,GGA ON") << Nmea::SentenceType::Gga;
        QTest::newRow("rmc-wins-over-gsv") << QByteArray("$GPGSV,RMC") << Nmea::SentenceType::Rmc;
        QTest::newRow("gll-ignored") << QByteArray("$GPGLL,4002.1,N") << Nmea::SentenceType::None;
    }
    void dispatchByType()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(Nmea::SentenceType, type);
        QCOMPARE(Nmea::sentenceType(sentence.constData()), type);
    }

    // Expected: "h:m:s latitude ns longitude ew", a hemisphere not given shows as '-'.
    void rmc_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("munich") << sealed("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W")
                                << "12:35:19 48.1173000 N 11.5166667 E";
        QTest::newRow("leading-zeros-dropped")
            << sealed("GPRMC,083503.00,A,4807.038,S,07531.20562,W,,,241013,,,A")
            << "8:35:3 48.1173000 S 75.5200937 W";
        QTest::newRow("below-one-degree")
            << sealed("GPRMC,000000,A,0030.000,N,00015.000,W,,,,,,A") << "0:0:0 0.5000000 N 0.2500000 W";
        QTest::newRow("no-position") << sealed("GPRMC,001902.00,V,,,,,,,020211,,,N") << "0:19:2  -  -";
        QTest::newRow("bad-hemisphere")
            << sealed("GPRMC,1,A,4807.038,X,01131.000,Q,,,,,,A") << "0:0:1 48.1173000 - 11.5166667 -";
    }
    void rmc()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QString, decoded);
        const Nmea::Rmc r = Nmea::decodeRmc(sentence.constData());
        const auto hemisphere = [](char c) { return c ? QString(QChar(c)) : QStringLiteral("-"); };
        QCOMPARE(QString::asprintf("%d:%d:%d ", r.time.hour, r.time.minute, r.time.second) + r.latitude +
                     ' ' + hemisphere(r.latitudeHemisphere) + ' ' + r.longitude + ' ' +
                     hemisphere(r.longitudeHemisphere),
                 decoded);
    }

    void gga_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<bool>("fix");
        QTest::addColumn<QString>("usedAndAltitude");
        QTest::newRow("textbook") << textbookGga << true << "8 545.4";
        QTest::newRow("dgps") << sealed("GPGGA,1,,,,,2,12,,-3.25,M,,,,") << true << "12 -3.25";
        QTest::newRow("no-fix") << sealed("GPGGA,001901.00,,,,,0,00,99.99,,,,,,") << false << "0 0";
        QTest::newRow("rtk-is-no-fix") << sealed("GPGGA,1,,,,,4,10,,1,M,,,,") << false << "10 1";
        QTest::newRow("short") << sealed("GPGGA,1,2") << false << "0 0";
    }
    void gga()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(bool, fix);
        QFETCH(QString, usedAndAltitude);
        const Nmea::Gga g = Nmea::decodeGga(sentence.constData());
        QCOMPARE(g.fix, fix);
        QCOMPARE(Nmea::numberText(g.satellitesUsed) + ' ' + Nmea::numberText(g.altitude), usedAndAltitude);
    }

    void gsaVtgGsv()
    {
        const Nmea::Gsa gsa = Nmea::decodeGsa("$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0C\r\n");
        QCOMPARE(
            QStringList({Nmea::numberText(gsa.pdop), Nmea::numberText(gsa.hdop), Nmea::numberText(gsa.vdop)}),
            QStringList({"2.94", "1.72", "2.39"}));
        QCOMPARE(Nmea::numberText(Nmea::decodeVtgSpeed("$GPVTG,,T,,M,0.285,N,0.528,K,A*23\r\n")),
                 QStringLiteral("0.528"));
        QCOMPARE(Nmea::gsvTalker("$GPGSV,3,3,11,24*44"), Nmea::GsvTalker::Gps);
        QCOMPARE(Nmea::gsvTalker("$BDGSV,1,1,04*44"), Nmea::GsvTalker::Beidou);
        QCOMPARE(Nmea::gsvTalker("$GBGSV,1,1,04*44"), Nmea::GsvTalker::Beidou);
        QCOMPARE(Nmea::gsvTalker("$GLGSV,1,1,04*44"), Nmea::GsvTalker::Other);
        QCOMPARE(Nmea::numberText(Nmea::gsvInView("$GPGSV,3,3,11,24*44")), QStringLiteral("11"));
    }

    // Each satellite as "prn,elevation,azimuth,snr,constellation"; the four slots not
    // filled stay all zero.
    void gsvSatellites_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QStringList>("satellites");
        QTest::newRow("four-with-empty-snr")
            << sealed("GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22")
            << QStringList{"5,45,120,38,1", "12,30,200,40,1", "15,60,45,0,1", "25,10,300,22,1"};
        QTest::newRow("short-last") << sealed("GPGSV,3,3,10,07,20,90,33,11,05,10,29")
                                    << QStringList{"7,20,90,33,1", "11,5,10,29,1"};
        QTest::newRow("beidou") << sealed("BDGSV,1,1,01,07,20,90,33") << QStringList{"7,20,90,33,2"};
        QTest::newRow("gb-beidou") << sealed("GBGSV,1,1,01,07,20,90,33") << QStringList{"7,20,90,33,2"};
        QTest::newRow("glonass") << sealed("GLGSV,1,1,01,70,20,90,33") << QStringList{"70,20,90,33,3"};
        QTest::newRow("galileo") << sealed("GAGSV,1,1,01,7,20,90,33") << QStringList{"7,20,90,33,4"};
        QTest::newRow("qzss") << sealed("GQGSV,1,1,01,2,20,90,33") << QStringList{"2,20,90,33,5"};
        QTest::newRow("gn-has-no-code") << sealed("GNGSV,1,1,01,7,20,90,33") << QStringList{"7,20,90,33,0"};
        QTest::newRow("fractions-truncate")
            << sealed("GPGSV,1,1,01,7.9,20.5,90.99,45.9") << QStringList{"7,20,90,45,1"};
    }
    void gsvSatellites()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QStringList, satellites);
        const auto records = Nmea::decodeGsvSatellites(sentence.constData());
        QCOMPARE(records.size(), 4);
        while (satellites.size() < 4)
            satellites << "0,0,0,0,0";
        QStringList got;
        for (const nmea_slmsg& r : records)
            got << QString::asprintf("%d,%d,%d,%d,%d", r.prn, r.elevation, r.azimuth, r.snr, r.constellation);
        QCOMPARE(got, satellites);
    }

    // Real captures, fed in random chunks: every sentence gpsd read is accepted, in order,
    // and positions and satellites agree with its decoding.
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
        const QString dir = sharedTestData(QStringLiteral("nmea"));
        if (dir.isEmpty())
            QSKIP("shared test data not present");
        QByteArray stream;
        for (const QByteArray& line : lines(dir + '/' + name + ".log"))
            if (!line.startsWith('#'))
                stream += line;
        QList<QByteArray> chk, reference;
        for (const QByteArray& line : lines(dir + '/' + name + ".log.chk")) {
            chk << line.trimmed();
            if (line.startsWith('$'))
                reference << line.trimmed();
        }
        QVERIFY(!stream.isEmpty() && !reference.isEmpty());

        for (int round = 0; round < 5; ++round) {
            QList<int> cuts;
            for (int at = 0; at < stream.size();
                 at += 1 + QRandomGenerator::global()->bounded(round ? 90 : 2))
                cuts << at;
            QByteArray buffer;
            QList<QByteArray> sentences = feedInChunks(buffer, stream, cuts);
            for (QByteArray& s : sentences)
                s = s.trimmed();
            QCOMPARE(sentences, reference);
        }

        // Walk the reference: each report follows the sentences it was made from.
        QHash<int, nmea_slmsg> sky;
        QList<QPair<double, double>> fixes; // unsigned degrees
        int positionsChecked = 0, satellitesChecked = 0;
        for (const QByteArray& line : chk) {
            if (line.startsWith('$')) {
                const QByteArray s = line + "\r\n";
                const char* text = s.constData();
                const Nmea::SentenceType type = Nmea::sentenceType(text);
                if (type == Nmea::SentenceType::Gsv) {
                    for (const nmea_slmsg& r : Nmea::decodeGsvSatellites(text))
                        if (r.prn)
                            sky.insert(r.prn, r);
                } else if (type == Nmea::SentenceType::Rmc) {
                    const Nmea::Rmc rmc = Nmea::decodeRmc(text);
                    if (!rmc.latitude.isEmpty())
                        fixes << qMakePair(rmc.latitude.toDouble(), rmc.longitude.toDouble());
                } else if (type == Nmea::SentenceType::Gga && !Nmea::coordinateText(text, 2).isEmpty()) {
                    fixes << qMakePair(Nmea::coordinateText(text, 2).toDouble(),
                                       Nmea::coordinateText(text, 4).toDouble());
                }
                continue;
            }
            const QJsonObject report = QJsonDocument::fromJson(line).object();
            if (report.value("class") == "TPV" && report.contains("lat") && !fixes.isEmpty()) {
                // One of the last three fixes is the one the report came from.
                bool matched = false;
                for (int i = fixes.size() - 1; i >= std::max(0, int(fixes.size()) - 3) && !matched; --i)
                    matched = std::abs(fixes[i].first - std::abs(report.value("lat").toDouble())) < 1e-7 &&
                              std::abs(fixes[i].second - std::abs(report.value("lon").toDouble())) < 1e-7;
                QVERIFY2(matched, line.constData());
                ++positionsChecked;
            }
            for (const QJsonValue& v : report.value("satellites").toArray()) {
                const QJsonObject sat = v.toObject();
                QVERIFY2(sky.contains(sat.value("PRN").toInt()), line.constData());
                const nmea_slmsg r = sky.value(sat.value("PRN").toInt());
                QCOMPARE(
                    QList<int>({r.elevation, r.azimuth, r.snr}),
                    QList<int>({sat.value("el").toInt(), sat.value("az").toInt(), sat.value("ss").toInt()}));
                ++satellitesChecked;
            }
        }
        if (name != QLatin1String("ublox-lea-5q"))
            QVERIFY(positionsChecked > 0 && satellitesChecked > 0);
    }

    // The worker decodes the oldest sentence once another is behind it, then waits for the
    // tab; fifty sentences may wait meanwhile, the fifty-first empties the queue.
    void workerHandsOver()
    {
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        worker.start(); // its destructor stops and joins it
        const QByteArray two = sealed("GPGSV,3,3,10,07,20,90,33,11,05,10,29");
        give(worker, sealed("GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22"));
        QTest::qWait(300);
        QCOMPARE(results.size(), 0);
        give(worker, two);
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results.at(0).at(0).value<nmea_slmsg*>(), worker.records());
        QCOMPARE(int(worker.records()[3].prn), 25);
        while (worker.queueSize() < 50)
            give(worker, two);
        QTest::qWait(300);
        QVERIFY(worker.isWaiting());
        QCOMPARE(results.size(), 1);
        QCOMPARE(worker.queueSize(), 50);
        give(worker, two);
        QTRY_COMPARE(worker.queueSize(), 0);
        give(worker, two);
        give(worker, two);
        worker.Wait_Data(false);
        QTRY_COMPARE(results.size(), 2);
        QCOMPARE(int(worker.records()[1].prn), 11);
        QCOMPARE(int(worker.records()[2].constellation), 0); // nothing left of the first
        QCOMPARE(worker.queueSize(), 1);

        GPS_Signal idle; // never started: its queue stays bounded all the same
        for (int i = 0; i < GPS_Signal::hardCap + 5; ++i)
            give(idle, two);
        QVERIFY(idle.queueSize() <= GPS_Signal::hardCap);
        idle.Get_Data(nullptr); // a null text queues an empty entry
        QVERIFY(idle.queueSize() >= 1);
    }

    void workerStopsPromptly_data()
    {
        QTest::addColumn<int>("sentencesBefore");
        QTest::newRow("idle") << 0;
        QTest::newRow("waiting-for-gui") << 2;
        QTest::newRow("stopped-before-start") << -1;
    }
    void workerStopsPromptly()
    {
        QFETCH(int, sentencesBefore);
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        if (sentencesBefore < 0)
            worker.stop();
        worker.start();
        for (int i = 0; i < sentencesBefore; ++i)
            give(worker, sealed("GPGSV,1,1,01,07,20,90,33"));
        if (sentencesBefore > 0)
            QTRY_COMPARE(results.size(), 1);
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        worker.stop();
        worker.quit();
        QVERIFY(worker.wait(1000));
        QVERIFY(clock.elapsed() < 200);
    }

    void distance_data()
    {
        QTest::addColumn<QList<double>>("points");
        QTest::addColumn<QString>("shown");
        // One degree of the equator on a 6378.137 km sphere: 2*pi*6378.137/360.
        QTest::newRow("one-degree-equator") << QList<double>{0, 0, 0, 1} << "111.319";
        QTest::newRow("same-point") << QList<double>{39.915, 116.404, 39.915, 116.404} << "0";
        // Half the circumference: pi*6378.137.
        QTest::newRow("half-circle") << QList<double>{0, 0, 0, 180} << "20037.5";
        // Antipodes off the equator: rounding pushes the haversine term past 1.
        QTest::newRow("antipodes-not-nan") << QList<double>{45, 10, -45, -170} << "20037.5";
        QTest::newRow("pole-to-equator") << QList<double>{90, 0, 0, 0} << "10018.8";
    }
    void distance()
    {
        QFETCH(QList<double>, points);
        QFETCH(QString, shown);
        QCOMPARE(QString::number(CalcDistance(points[0], points[1], points[2], points[3]), 'g', 6), shown);
    }

    void zoneAndBand_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lng");
        QTest::addColumn<QString>("zone");
        QTest::newRow("equator-central-meridian") << 0.0 << 3.0 << "31N";
        QTest::newRow("norway-exception") << 60.0 << 5.0 << "32V";
        QTest::newRow("svalbard-31") << 78.0 << 8.0 << "31X";
        QTest::newRow("svalbard-33") << 78.0 << 15.0 << "33X";
        QTest::newRow("svalbard-35") << 78.0 << 25.0 << "35X";
        QTest::newRow("svalbard-37") << 78.0 << 40.0 << "37X";
        QTest::newRow("cape-town") << -33.9 << 18.4 << "34H";
        QTest::newRow("band-84-included") << 84.0 << 3.0 << "31X";
        QTest::newRow("above-84") << 85.0 << 3.0 << "31Z";
        QTest::newRow("below-80") << -80.5 << 3.0 << "31Z";
        QTest::newRow("just-south") << -0.1 << 3.0 << "31M";
        QTest::newRow("lng-wraps-past-180") << 10.0 << 183.0 << "1P";
        QTest::newRow("west-180") << 10.0 << -180.0 << "1P";
        QTest::newRow("antimeridian-east") << 10.0 << 179.0 << "60P";
    }
    void zoneAndBand()
    {
        QFETCH(double, lat);
        QFETCH(double, lng);
        QFETCH(QString, zone);
        QCOMPARE(LatLong_to_UTM(wgs84, lat, lng).Zone, zone);
    }

    void forwardAndBack()
    {
        // On the central meridian at the equator: the false easting and no northing.
        const UTM origin = LatLong_to_UTM(wgs84, 0, 3);
        QCOMPARE(QString::number(origin.Easting, 'f', 8), QStringLiteral("500000.00000000"));
        QCOMPARE(QString::number(origin.Northing, 'f', 8), QStringLiteral("0.00000000"));

        // Snyder, Map Projections - A Working Manual, transverse Mercator example on
        // Clarke 1866: 40°30'N 73°30'W, central meridian 75°W gives x = 127106.5 m,
        // y = 4484124.4 m. The table's radius is 0.4 m shorter than Snyder's 6378206.4,
        // which moves y by about 0.3 m.
        const UTM snyder = LatLong_to_UTM(clarke1866, 40.5, -73.5);
        QCOMPARE(snyder.Zone, QStringLiteral("18T"));
        QVERIFY(std::abs(snyder.Easting - 627106.5) < 0.5);
        QVERIFY(std::abs(snyder.Northing - 4484124.4) < 0.5);
        const LatLong p = UTM_to_LatLong(clarke1866, utm(627106.5, 4484124.4, "18T"));
        QVERIFY(std::abs(p.latitude - 40.5) < 1e-5);
        QVERIFY(std::abs(p.longitude + 73.5) < 1e-5);

        // South of the equator the northing carries the 10 000 km false northing.
        const UTM south = LatLong_to_UTM(wgs84, -33.9, 18.4);
        QVERIFY(south.Northing > 6000000 && south.Northing < 10000000);

        // A row outside the ellipsoid table gives nothing.
        QCOMPARE(LatLong_to_UTM(0, 10, 10).Zone, QString());
        QCOMPARE(LatLong_to_UTM(24, 10, 10).Zone, QString());
    }

    void roundTrip_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lng");
        QTest::newRow("beijing") << 39.915 << 116.404;
        QTest::newRow("malvern") << 40.0350855 << -75.5200937;
        QTest::newRow("cape-town") << -33.9 << 18.4;
        QTest::newRow("quito") << -0.18 << -78.47;
    }
    void roundTrip()
    {
        QFETCH(double, lat);
        QFETCH(double, lng);
        const LatLong back = UTM_to_LatLong(wgs84, LatLong_to_UTM(wgs84, lat, lng));
        QVERIFY2(std::abs(back.latitude - lat) < 1e-6, qPrintable(QString::number(back.latitude, 'f', 9)));
        QVERIFY2(std::abs(back.longitude - lng) < 1e-6, qPrintable(QString::number(back.longitude, 'f', 9)));
    }

    void hemisphereFromZoneText_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("southern");
        QTest::newRow("N-is-north") << "31N" << false;
        QTest::newRow("M-is-south") << "31M" << true;
        QTest::newRow("no-letter-is-south") << "31" << true;
        QTest::newRow("lower-case-is-north") << "31n" << false;
        QTest::newRow("non-ascii-is-south") << QStringLiteral("31\u00e9") << true;
    }
    void hemisphereFromZoneText()
    {
        QFETCH(QString, zone);
        QFETCH(bool, southern);
        const LatLong p = UTM_to_LatLong(wgs84, utm(500000, 5000000, zone));
        QCOMPARE(p.latitude < 0, southern);
        QCOMPARE(p.longitude, 3.0);
    }
};

QTEST_GUILESS_MAIN(TestGpsCore)
#include "tst_gpscore.moc"
