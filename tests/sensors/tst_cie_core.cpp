// Colour sensor reading lines, and the CIE 1931 observer the diagram is drawn from.
#include <QTest>

#include <cmath>

#include "sensors/cie1931.h"
#include "sensors/cie_reading.h"

class TestCieCore : public QObject
{
    Q_OBJECT
private slots:
    void readings_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("lux");
        QTest::addColumn<double>("cct");
        QTest::newRow("board-line") << "CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n"
                                    << 0.587309 << 0.424433 << 682.496 << 1763.247393;
        QTest::newRow("lower-case") << "ciex:0.587309;ciey:0.424433;lux:682.496000;cct:1763.247393"
                                    << 0.587309 << 0.424433 << 682.496 << 1763.247393;
        QTest::newRow("blanks-around-keys-and-values")
            << "  CIEX : 0.587309 ; CIEY: 0.424433;LUX :682.496000;CCT:1763.247393  " << 0.587309 << 0.424433
            << 682.496 << 1763.247393;
        QTest::newRow("other-order-empty-pair-trailing-comma")
            << "CCT:1763.247393;;LUX:682.496000;CIEY:0.424433;CIEX:0.587309," << 0.587309 << 0.424433
            << 682.496 << 1763.247393;
        QTest::newRow("unknown-key-ignored") << "CIEX:0.3;R:12;CIEY:0.3" << 0.3 << 0.3 << 0.0 << 0.0;
        QTest::newRow("two-colons-ignored") << "CIEX:0:5;CIEY:0.3" << 0.0 << 0.3 << 0.0 << 0.0;
        QTest::newRow("later-pair-wins") << "CIEX:0.1;CIEX:0.2;CIEY:0.3" << 0.2 << 0.3 << 0.0 << 0.0;
        QTest::newRow("unreadable-values") << "CIEX:a;CIEY:b;LUX:c;CCT:d" << 0.0 << -1.0 << 0.0 << -1.0;
        QTest::newRow("infinite-is-unreadable")
            << "CIEX:0.3;CIEY:inf;CCT:1e999" << 0.3 << -1.0 << 0.0 << -1.0;
        QTest::newRow("nothing-usable") << "hello" << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void readings()
    {
        QFETCH(QString, line);
        const CieReading r = CieReading::parse(line);
        QTEST(r.x, "x");
        QTEST(r.y, "y");
        QTEST(r.lux, "lux");
        QTEST(r.cct, "cct");
    }

    void unreadableLuxIsNegativeZero()
    {
        const CieReading r = CieReading::parse("LUX:dark");
        QCOMPARE(r.lux, 0.0);
        QVERIFY(std::signbit(r.lux));
    }

    // Spectral locus as the CIE publishes it (x, y to four places).
    void spectralLocus_data()
    {
        QTest::addColumn<int>("nm");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("380") << 380 << 0.1741 << 0.0050;
        QTest::newRow("450") << 450 << 0.1566 << 0.0177;
        QTest::newRow("480") << 480 << 0.0913 << 0.1327;
        QTest::newRow("500") << 500 << 0.0082 << 0.5384;
        QTest::newRow("520") << 520 << 0.0743 << 0.8338;
        QTest::newRow("550") << 550 << 0.3016 << 0.6923;
        QTest::newRow("580") << 580 << 0.5125 << 0.4866;
        QTest::newRow("600") << 600 << 0.6270 << 0.3725;
        QTest::newRow("650") << 650 << 0.7260 << 0.2740;
        QTest::newRow("700") << 700 << 0.7347 << 0.2653;
    }
    void spectralLocus()
    {
        QFETCH(int, nm);
        QFETCH(double, x);
        QFETCH(double, y);
        const QPointF p = Cie1931::spectralChromaticity(nm);
        QVERIFY2(std::abs(p.x() - x) < 0.00006 && std::abs(p.y() - y) < 0.00006,
                 qPrintable(QString("%1 %2").arg(p.x()).arg(p.y())));
    }

    void observerTables()
    {
        // Equal-energy white sits at (1/3, 1/3): the three functions have equal areas.
        double sums[3] = {};
        for (int nm = Cie1931::firstWavelength; nm <= Cie1931::lastWavelength; nm += Cie1931::step) {
            const Cie1931::Tristimulus t = Cie1931::matching(nm);
            sums[0] += t.x;
            sums[1] += t.y;
            sums[2] += t.z;
        }
        QVERIFY(std::abs(sums[0] - 21.3714) < 0.001);
        QVERIFY(std::abs(sums[1] - 21.3714) < 0.001);
        QVERIFY(std::abs(sums[2] - 21.3714) < 0.001);
        QCOMPARE(Cie1931::matching(555).y, 1.0);
        QCOMPARE(Cie1931::matching(556).y, 0.0);

        // Illuminant A is a 2856 K black body: (0.4476, 0.4074).
        const QPointF a = Cie1931::planckianChromaticity(2856);
        QVERIFY2(std::abs(a.x() - 0.4476) < 0.0003 && std::abs(a.y() - 0.4074) < 0.0003,
                 qPrintable(QString("%1 %2").arg(a.x()).arg(a.y())));

        QVERIFY(Cie1931::insideLocus({0.3333, 0.3333}));
        QVERIFY(Cie1931::insideLocus({0.2, 0.7}));
        QVERIFY(!Cie1931::insideLocus({0.7, 0.1}));   // below the line of purples
        QVERIFY(!Cie1931::insideLocus({0.05, 0.05})); // left of the blue end
        // Display colours: white near the white point, the green corner green.
        const Cie1931::Rgb8 white = Cie1931::displayColor({0.3127, 0.3290});
        QVERIFY(white.r > 250 && white.g > 250 && white.b > 250);
        const Cie1931::Rgb8 green = Cie1931::displayColor({0.2, 0.7});
        QVERIFY(green.g == 255 && green.r < 100 && green.b < 100);
    }
};

QTEST_GUILESS_MAIN(TestCieCore)
#include "tst_cie_core.moc"
