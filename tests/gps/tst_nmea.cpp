// NMEA framing and decoding, fed whole and in pieces, and against real captures.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

#include "gps/nmea.h"
#include "tests/common/shareddata.h"

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

QList<QByteArray> feedInPieces(const QByteArray& stream, const QList<int>& cuts)
{
    QByteArray buffer;
    QList<QByteArray> out;
    int from = 0;
    for (int cut : cuts) {
        out += Nmea::takeSentences(buffer, stream.mid(from, cut - from));
        from = cut;
    }
    out += Nmea::takeSentences(buffer, stream.mid(from));
    return out;
}

QByteArray captureBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.startsWith('#'))
            bytes += line;
    }
    return bytes;
}

} // namespace

class TestNmea : public QObject
{
    Q_OBJECT
private slots:
    void framing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QList<int>>("cuts");
        QTest::addColumn<int>("sentences");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("whole") << textbookGga << QList<int>{} << 1 << QByteArray();
        for (int cut : {1, 7, 40, int(textbookGga.size()) - 2, int(textbookGga.size()) - 1})
            QTest::newRow(qPrintable(QStringLiteral("split-at-%1").arg(cut)))
                << textbookGga << QList<int>{cut} << 1 << QByteArray();
        QTest::newRow("bad-checksum-then-good") << QByteArray(textbookGga).replace("*47", "*48") + textbookGga
                                                << QList<int>{} << 1 << QByteArray();
        QTest::newRow("checksum-not-hex")
            << QByteArray(textbookGga).replace("*47", "*4G") << QList<int>{} << 0 << QByteArray();
        QTest::newRow("no-star") << QByteArray("$GPGGA,1,2,3\r\n") << QList<int>{} << 0 << QByteArray();
        QTest::newRow("junk-before-dollar") << "xx" + textbookGga << QList<int>{} << 1 << QByteArray();
        QTest::newRow("junk-between")
            << textbookGga + "noise" + textbookGga << QList<int>{} << 2 << QByteArray();
        QTest::newRow("trailing-half-waits")
            << textbookGga + "$GPVTG,1" << QList<int>{} << 1 << QByteArray("$GPVTG,1");
        QTest::newRow("lf-only") << QByteArray("$GPGSV,1,1,00*79\n") << QList<int>{} << 1 << QByteArray();
        // A '$' inside an unfinished sentence joins the two; the joined text fails its check.
        QTest::newRow("dollar-joins") << "$GPGGA,12" + textbookGga << QList<int>{} << 0 << QByteArray();
        QTest::newRow("no-dollar-dropped") << QByteArray(5000, 'x') << QList<int>{} << 0 << QByteArray();
        QTest::newRow("runaway-sentence-dropped")
            << "$GP" + QByteArray(Nmea::maxPendingBytes + 10, 'x') << QList<int>{} << 0 << QByteArray();
    }
    void framing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QList<int>, cuts);
        QFETCH(int, sentences);
        QFETCH(QByteArray, left);
        QByteArray buffer;
        QList<QByteArray> out;
        int from = 0;
        for (int cut : cuts) {
            out += Nmea::takeSentences(buffer, stream.mid(from, cut - from));
            from = cut;
        }
        out += Nmea::takeSentences(buffer, stream.mid(from));
        QCOMPARE(out.size(), sentences);
        QCOMPARE(buffer, left);
        for (const QByteArray& s : out)
            QVERIFY(s.startsWith('$') && s.endsWith('\n'));
    }

    void lowerCaseHexChecksum()
    {
        QByteArray buffer;
        QCOMPARE(
            Nmea::takeSentences(buffer, "$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0c\r\n").size(),
            1);
    }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<char>("first");
        QTest::newRow("address") << textbookGga << 0 << 0.0 << '$';
        QTest::newRow("time") << textbookGga << 1 << 123519.0 << '1';
        QTest::newRow("letter") << textbookGga << 3 << 0.0 << 'N';
        QTest::newRow("empty") << textbookGga << 13 << 0.0 << char(0);
        QTest::newRow("last-before-star") << sealed("GPGSV,3,3,10,07,20,90,33") << 7 << 33.0 << '3';
        QTest::newRow("past-the-end") << textbookGga << 40 << 0.0 << char(0);
        QTest::newRow("number-then-text") << QByteArray("$X,12.5abc,*00") << 1 << 12.5 << '1';
        QTest::newRow("not-a-number") << QByteArray("$X,abc*00") << 1 << 0.0 << 'a';
        QTest::newRow("negative") << textbookGga << 11 << 46.9 << '4';
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
        QTest::addColumn<int>("type");
        QTest::newRow("gnrmc") << QByteArray("$GNRMC,...") << int(Nmea::SentenceType::Rmc);
        QTest::newRow("bdgga") << QByteArray("$BDGGA,...") << int(Nmea::SentenceType::Gga);
        QTest::newRow("txt-mentioning-textbookGga")
            << QByteArray("$GPTXT,01,01,02,GGA ON") << int(Nmea::SentenceType::Gga);
        QTest::newRow("rmc-wins-over-gsv") << QByteArray("$GPGSV,RMC") << int(Nmea::SentenceType::Rmc);
        QTest::newRow("gll-ignored") << QByteArray("$GPGLL,4002.1,N") << int(Nmea::SentenceType::None);
    }
    void dispatchByType()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(int, type);
        QCOMPARE(int(Nmea::sentenceType(sentence.constData())), type);
    }

    void rmc_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<char>("ns");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<char>("ew");
        QTest::newRow("munich") << sealed("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W")
                                << "12:35:19"
                                << "48.1173000" << 'N' << "11.5166667" << 'E';
        QTest::newRow("leading-zeros-dropped")
            << sealed("GPRMC,083503.00,A,4807.038,S,07531.20562,W,,,241013,,,A") << "8:35:3"
            << "48.1173000" << 'S' << "75.5200937" << 'W';
        // Below one degree the position is still a position.
        QTest::newRow("below-one-degree") << sealed("GPRMC,000000,A,0030.000,N,00015.000,W,,,,,,A") << "0:0:0"
                                          << "0.5000000" << 'N' << "0.2500000" << 'W';
        QTest::newRow("no-position") << sealed("GPRMC,001902.00,V,,,,,,,020211,,,N") << "0:19:2" << QString()
                                     << char(0) << QString() << char(0);
        QTest::newRow("bad-hemisphere") << sealed("GPRMC,1,A,4807.038,X,01131.000,Q,,,,,,A") << "0:0:1"
                                        << "48.1173000" << char(0) << "11.5166667" << char(0);
    }
    void rmc()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QString, time);
        QFETCH(QString, latitude);
        QFETCH(char, ns);
        QFETCH(QString, longitude);
        QFETCH(char, ew);
        const Nmea::Rmc rmc = Nmea::decodeRmc(sentence.constData());
        QCOMPARE(QStringLiteral("%1:%2:%3").arg(rmc.time.hour).arg(rmc.time.minute).arg(rmc.time.second),
                 time);
        QCOMPARE(rmc.latitude, latitude);
        QCOMPARE(rmc.latitudeHemisphere, ns);
        QCOMPARE(rmc.longitude, longitude);
        QCOMPARE(rmc.longitudeHemisphere, ew);
    }

    void gga_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<bool>("fix");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("altitude");
        QTest::newRow("textbook") << textbookGga << true << "8"
                                  << "545.4";
        QTest::newRow("dgps") << sealed("GPGGA,1,,,,,2,12,,-3.25,M,,,,") << true << "12"
                              << "-3.25";
        QTest::newRow("no-fix") << sealed("GPGGA,001901.00,,,,,0,00,99.99,,,,,,") << false << "0"
                                << "0";
        QTest::newRow("quality-4") << sealed("GPGGA,1,,,,,4,10,,1,M,,,,") << false << "10"
                                   << "1";
        QTest::newRow("quality-6") << sealed("GPGGA,1,,,,,6,10,,1,M,,,,") << false << "10"
                                   << "1";
        QTest::newRow("short") << sealed("GPGGA,1,2") << false << "0"
                               << "0";
    }
    void gga()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(bool, fix);
        QFETCH(QString, used);
        QFETCH(QString, altitude);
        const Nmea::Gga g = Nmea::decodeGga(sentence.constData());
        QCOMPARE(g.fix, fix);
        QCOMPARE(Nmea::numberText(g.satellitesUsed), used);
        QCOMPARE(Nmea::numberText(g.altitude), altitude);
    }

    void gsaVtgGsv()
    {
        const Nmea::Gsa gsa = Nmea::decodeGsa("$GPGSA,A,3,28,17,01,08,09,11,32,,,,,,2.94,1.72,2.39*0C\r\n");
        QCOMPARE(Nmea::numberText(gsa.pdop), QStringLiteral("2.94"));
        QCOMPARE(Nmea::numberText(gsa.hdop), QStringLiteral("1.72"));
        QCOMPARE(Nmea::numberText(gsa.vdop), QStringLiteral("2.39"));
        QCOMPARE(Nmea::numberText(Nmea::decodeVtgSpeed("$GPVTG,,T,,M,0.285,N,0.528,K,A*23\r\n")),
                 QStringLiteral("0.528"));
        QCOMPARE(Nmea::gsvTalker("$GPGSV,3,3,11,24*44"), Nmea::GsvTalker::Gps);
        QCOMPARE(Nmea::gsvTalker("$BDGSV,1,1,04*44"), Nmea::GsvTalker::Beidou);
        QCOMPARE(Nmea::gsvTalker("$GBGSV,1,1,04*44"), Nmea::GsvTalker::Beidou);
        QCOMPARE(Nmea::gsvTalker("$GLGSV,1,1,04*44"), Nmea::GsvTalker::Other);
        QCOMPARE(Nmea::numberText(Nmea::gsvInView("$GPGSV,3,3,11,24*44")), QStringLiteral("11"));
    }

    void gsvSatellites_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QList<int>>("flat"); // prn, elevation, azimuth, snr, code per satellite
        QTest::newRow("four-with-empty-snr")
            << sealed("GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22")
            << QList<int>{5, 45, 120, 38, 1, 12, 30, 200, 40, 1, 15, 60, 45, 0, 1, 25, 10, 300, 22, 1};
        QTest::newRow("short-last") << sealed("GPGSV,3,3,10,07,20,90,33,11,05,10,29")
                                    << QList<int>{7, 20, 90, 33, 1, 11, 5, 10, 29, 1,
                                                  0, 0,  0,  0,  0, 0,  0, 0,  0,  0};
        QTest::newRow("beidou") << sealed("BDGSV,1,1,01,07,20,90,33")
                                << QList<int>{7, 20, 90, 33, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("gb-beidou") << sealed("GBGSV,1,1,01,07,20,90,33")
                                   << QList<int>{7, 20, 90, 33, 2, 0, 0, 0, 0, 0,
                                                 0, 0,  0,  0,  0, 0, 0, 0, 0, 0};
        QTest::newRow("glonass") << sealed("GLGSV,1,1,01,70,20,90,33")
                                 << QList<int>{70, 20, 90, 33, 3, 0, 0, 0, 0, 0,
                                               0,  0,  0,  0,  0, 0, 0, 0, 0, 0};
        QTest::newRow("galileo") << sealed("GAGSV,1,1,01,7,20,90,33")
                                 << QList<int>{7, 20, 90, 33, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("qzss") << sealed("GQGSV,1,1,01,2,20,90,33")
                              << QList<int>{2, 20, 90, 33, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("gn-has-no-code")
            << sealed("GNGSV,1,1,01,7,20,90,33")
            << QList<int>{7, 20, 90, 33, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("fractions-truncate")
            << sealed("GPGSV,1,1,01,7.9,20.5,90.99,45.9")
            << QList<int>{7, 20, 90, 45, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    void gsvSatellites()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QList<int>, flat);
        const auto records = Nmea::decodeGsvSatellites(sentence.constData());
        QList<int> got;
        for (const nmea_slmsg& r : records)
            got << r.prn << r.elevation << r.azimuth << r.snr << r.constellation;
        QCOMPARE(got, flat);
    }

    // Real captures, fed in random pieces: every sentence the reference decoder read is
    // accepted, in order, and positions and satellites agree with its decoding.
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
        const QByteArray stream = captureBytes(dir + '/' + name + ".log");
        QFile chk(dir + '/' + name + ".log.chk");
        QVERIFY(!stream.isEmpty() && chk.open(QIODevice::ReadOnly));

        for (int round = 0; round < 5; ++round) {
            QList<int> cuts;
            auto* rng = QRandomGenerator::global();
            for (int at = 0; at < stream.size(); at += 1 + rng->bounded(round == 0 ? 2 : 90))
                cuts << at;
            const QList<QByteArray> sentences = feedInPieces(stream, cuts);
            QList<QByteArray> reference;
            chk.seek(0);
            QList<QByteArray> chkLines;
            while (!chk.atEnd())
                chkLines << chk.readLine().trimmed();
            for (const QByteArray& line : chkLines) {
                if (line.startsWith('$'))
                    reference << line;
            }
            QCOMPARE(sentences.size(), reference.size());
            for (int i = 0; i < sentences.size(); ++i)
                QCOMPARE(sentences[i].trimmed(), reference[i]);
        }

        // Walk the reference: each report follows the sentences it was made from.
        QList<QByteArray> lines;
        chk.seek(0);
        while (!chk.atEnd())
            lines << chk.readLine().trimmed();
        QHash<int, nmea_slmsg> sky;
        QList<QPair<double, double>> fixes; // unsigned degrees
        int positionsChecked = 0;
        int satellitesChecked = 0;
        for (const QByteArray& line : lines) {
            if (line.startsWith('$')) {
                const QByteArray s = line + "\r\n";
                if (Nmea::sentenceType(s.constData()) == Nmea::SentenceType::Gsv) {
                    for (const nmea_slmsg& r : Nmea::decodeGsvSatellites(s.constData())) {
                        if (r.prn)
                            sky.insert(r.prn, r);
                    }
                } else if (Nmea::sentenceType(s.constData()) == Nmea::SentenceType::Rmc) {
                    const Nmea::Rmc rmc = Nmea::decodeRmc(s.constData());
                    if (!rmc.latitude.isEmpty())
                        fixes << qMakePair(rmc.latitude.toDouble(), rmc.longitude.toDouble());
                } else if (Nmea::sentenceType(s.constData()) == Nmea::SentenceType::Gga) {
                    // The reference also reports GGA positions: same conversion, fields 2 and 4.
                    const QString lat = Nmea::coordinateText(s.constData(), 2);
                    if (!lat.isEmpty())
                        fixes << qMakePair(lat.toDouble(), Nmea::coordinateText(s.constData(), 4).toDouble());
                }
                continue;
            }
            const QJsonObject report = QJsonDocument::fromJson(line).object();
            if (report.value("class") == "TPV" && report.contains("lat") && !fixes.isEmpty()) {
                // The report follows the RMC or GGA it came from; one of the recent ones matches.
                bool matched = false;
                for (int i = fixes.size() - 1; i >= std::max(0, int(fixes.size()) - 3) && !matched; --i)
                    matched = std::abs(fixes[i].first - std::abs(report.value("lat").toDouble())) < 1e-7 &&
                              std::abs(fixes[i].second - std::abs(report.value("lon").toDouble())) < 1e-7;
                QVERIFY2(matched, line.constData());
                ++positionsChecked;
            }
            if (report.value("class") == "SKY") {
                for (const QJsonValue& v : report.value("satellites").toArray()) {
                    const QJsonObject sat = v.toObject();
                    const int prn = sat.value("PRN").toInt();
                    QVERIFY2(sky.contains(prn), line.constData());
                    const nmea_slmsg r = sky.value(prn);
                    QCOMPARE(int(r.elevation), sat.value("el").toInt());
                    QCOMPARE(int(r.azimuth), sat.value("az").toInt());
                    QCOMPARE(int(r.snr), sat.value("ss").toInt());
                    ++satellitesChecked;
                }
            }
        }
        if (name != QLatin1String("ublox-lea-5q"))
            QVERIFY(positionsChecked > 0 && satellitesChecked > 0);
    }
};

QTEST_GUILESS_MAIN(TestNmea)
#include "tst_nmea.moc"
