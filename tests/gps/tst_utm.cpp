// Distance and UTM conversions against hand-computed and published values.
#include <QTest>

#include <cmath>

#include "gps/UTMconversion.h"

namespace {
constexpr int wgs84 = 23;
constexpr int clarke1866 = 5;
} // namespace

class TestUtm : public QObject
{
    Q_OBJECT
private slots:
    void distance_data()
    {
        QTest::addColumn<double>("lat1");
        QTest::addColumn<double>("lng1");
        QTest::addColumn<double>("lat2");
        QTest::addColumn<double>("lng2");
        QTest::addColumn<QString>("shown");
        // One degree of the equator on a 6378.137 km sphere: 2*pi*6378.137/360.
        QTest::newRow("one-degree-equator") << 0.0 << 0.0 << 0.0 << 1.0 << "111.319";
        QTest::newRow("same-point") << 39.915 << 116.404 << 39.915 << 116.404 << "0";
        // Half the circumference: pi*6378.137.
        QTest::newRow("half-circle") << 0.0 << 0.0 << 0.0 << 180.0 << "20037.5";
        // Antipodes off the equator: rounding pushes the haversine term past 1.
        QTest::newRow("antipodes-not-nan") << 45.0 << 10.0 << -45.0 << -170.0 << "20037.5";
        // Quarter meridian: pole to equator.
        QTest::newRow("pole-to-equator") << 90.0 << 0.0 << 0.0 << 0.0 << "10018.8";
    }
    void distance()
    {
        QFETCH(double, lat1);
        QFETCH(double, lng1);
        QFETCH(double, lat2);
        QFETCH(double, lng2);
        QFETCH(QString, shown);
        QCOMPARE(QString::number(CalcDistance(lat1, lng1, lat2, lng2), 'g', 6), shown);
    }

    void zoneAndBand_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lng");
        QTest::addColumn<QString>("zone");
        QTest::newRow("equator-central-meridian") << 0.0 << 3.0 << "31N";
        QTest::newRow("norway-exception") << 60.0 << 5.0 << "32V";
        QTest::newRow("svalbard-33") << 78.0 << 15.0 << "33X";
        QTest::newRow("svalbard-31") << 78.0 << 8.0 << "31X";
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

    void forward()
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

        // Southern hemisphere carries the 10 000 km false northing.
        const UTM south = LatLong_to_UTM(wgs84, -33.9, 18.4);
        QVERIFY(south.Northing > 6000000);
        QVERIFY(south.Northing < 10000000);
    }

    void inverse_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lng");
        QTest::newRow("beijing") << 39.915 << 116.404;
        QTest::newRow("delft") << 52.0142 << 4.36302;
        QTest::newRow("malvern") << 40.0350855 << -75.5200937;
        QTest::newRow("cape-town") << -33.9 << 18.4;
        QTest::newRow("quito") << -0.18 << -78.47;
    }
    void inverse()
    {
        QFETCH(double, lat);
        QFETCH(double, lng);
        const LatLong back = UTM_to_LatLong(wgs84, LatLong_to_UTM(wgs84, lat, lng));
        QVERIFY2(std::abs(back.latitude - lat) < 1e-6, qPrintable(QString::number(back.latitude, 'f', 9)));
        QVERIFY2(std::abs(back.longitude - lng) < 1e-6, qPrintable(QString::number(back.longitude, 'f', 9)));
    }

    void inverseSnyder()
    {
        UTM utm;
        utm.Easting = 627106.5;
        utm.Northing = 4484124.4;
        utm.Zone = QStringLiteral("18T");
        const LatLong p = UTM_to_LatLong(clarke1866, utm);
        QVERIFY(std::abs(p.latitude - 40.5) < 1e-5);
        QVERIFY(std::abs(p.longitude + 73.5) < 1e-5);
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
        UTM utm;
        utm.Easting = 500000;
        utm.Northing = 5000000;
        utm.Zone = zone;
        const LatLong p = UTM_to_LatLong(wgs84, utm);
        QCOMPARE(p.latitude < 0, southern);
        QCOMPARE(p.longitude, 3.0);
    }

    void badRowGivesNothing()
    {
        QCOMPARE(LatLong_to_UTM(0, 10, 10).Zone, QString());
        QCOMPARE(LatLong_to_UTM(24, 10, 10).Zone, QString());
        QCOMPARE(ellipsoidNames().size(), 23);
        QCOMPARE(ellipsoidNames().at(22), QStringLiteral("WGS-84"));
    }
};

QTEST_GUILESS_MAIN(TestUtm)
#include "tst_utm.moc"
