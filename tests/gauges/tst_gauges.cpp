// The painted gauges, rendered offscreen: where the needle, the liquid column, the ring and
// the discs land at known values, and how the gauges take values they should not show.
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

QImage render(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Brightest grey level in the 3 x 3 pixels around p (antialiased edges smear single pixels).
int brightestAround(const QImage& img, QPoint p)
{
    int best = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            best = std::max(best, qGray(img.pixel(p + QPoint(dx, dy))));
    return best;
}

bool near(QRgb pixel, const QColor& expected, int tolerance = 6)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

QByteArray describe(QRgb pixel)
{
    return QString("rgb(%1,%2,%3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel)).toLatin1();
}

// A point at logical distance d from a 400 x 400 dial's centre, along the needle turned by
// `angle` degrees clockwise from straight down (the logical square is scaled by 2).
QPoint alongNeedle(double angle, double d)
{
    const double a = angle * M_PI / 180;
    return QPoint(200 + qRound(-std::sin(a) * d * 2), 200 + qRound(std::cos(a) * d * 2));
}

} // namespace

class TestGauges : public QObject
{
    Q_OBJECT
private slots:
    void dialNeedle_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("angle");
        QTest::newRow("bottom-lower-left") << 0.0 << 60.0;
        QTest::newRow("middle-straight-up") << 550.0 << 180.0;
        QTest::newRow("top-lower-right") << 1100.0 << 300.0;
        QTest::newRow("above-range-rests-at-end") << 2000.0 << 300.0;
        QTest::newRow("below-range-rests-at-start") << -40.0 << 60.0;
    }
    void dialNeedle()
    {
        QFETCH(double, value);
        QFETCH(double, angle);
        DashBoard dial;
        dial.setMinValue(0); // the barometer's order: 0 is below the default top of 100
        dial.setMaxValue(1100);
        dial.setValue(value);
        dial.resize(400, 400);
        const QImage img = render(dial);

        // The face is grey 65; the needle is lighter (its gradient and white edge).
        for (double other : {60.0, 180.0, 300.0}) {
            const int level = brightestAround(img, alongNeedle(other, 25));
            if (other == angle)
                QVERIFY2(level > 85, qPrintable(QString("needle missing at %1: %2").arg(other).arg(level)));
            else
                QVERIFY2(level < 75, qPrintable(QString("needle found at %1: %2").arg(other).arg(level)));
        }
    }

    void dialRangeOrderAndRefusals()
    {
        DashBoard dial;
        dial.setValue(50); // new dial runs 400 .. 100
        QCOMPARE(dial.getValue(), 400.0);
        dial.setMinValue(400); // not below 100: refused
        dial.setMaxValue(15000);
        QCOMPARE(dial.getMinValue(), 400);
        QCOMPARE(dial.getMaxValue(), 15000);
        dial.setValue(350);
        QCOMPARE(dial.getValue(), 400.0);
        dial.setMaxValue(400); // not above the minimum: refused
        QCOMPARE(dial.getMaxValue(), 15000);
        dial.setValue(NaN);
        QCOMPARE(dial.getValue(), 400.0);
        dial.setPrecision(4);
        QCOMPARE(dial.getPrecision(), 0);
        // Divisions of zero would divide by zero when painting: refused.
        dial.setScaleMajor(0);
        dial.setScaleMinor(0);
        QCOMPARE(dial.getScaleMajor(), 10);
        QCOMPARE(dial.getScaleMinor(), 10);
        dial.resize(200, 200);
        QVERIFY(!render(dial).isNull());
    }

    void thermometerColumn_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("liquidTop"); // y of the column's top on a 200 x 400 widget
        QTest::addColumn<QColor>("liquid");
        // Tube from y 25, 307 high; the column is (v + 35) / 120 of it.
        QTest::newRow("comfortable-20") << 20.0 << qRound(332 - 55.0 / 120 * 307) << QColor(24, 189, 155);
        QTest::newRow("freezing-minus-10")
            << -10.0 << qRound(332 - 25.0 / 120 * 307) << QColor(100, 184, 255);
        QTest::newRow("above-scale-full") << 200.0 << 25 << QColor(250, 100, 100);
        QTest::newRow("below-scale-empty") << -100.0 << 332 << QColor(100, 184, 255);
    }
    void thermometerColumn()
    {
        QFETCH(double, value);
        QFETCH(int, liquidTop);
        QFETCH(QColor, liquid);
        CThermometer t;
        t.setValue(0.0);
        t.setPrecision(2);
        t.setMaxValue(80);
        t.setMinValue(-30);
        t.setValue(value);
        t.resize(200, 400);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        const QImage img = render(t);
        const QColor glass(100, 100, 100);
        const int x = 100; // middle of the tube
        // The inner bulb reaches up to y 320 (radius 36 around y 356).
        const int above = std::min(liquidTop - 5, 315);
        if (liquidTop > 30)
            QVERIFY2(near(img.pixel(x, above), glass), describe(img.pixel(x, above)));
        if (liquidTop < 330)
            QVERIFY2(near(img.pixel(x, liquidTop + 5), liquid), describe(img.pixel(x, liquidTop + 5)));
        // The bulb always holds liquid.
        QVERIFY2(near(img.pixel(x, 332 + 24), liquid), describe(img.pixel(x, 356)));
    }

    void thermometerAnimatesToTarget()
    {
        CThermometer t;
        t.setMaxValue(80);
        t.setMinValue(-30);
        t.setValue(0.0);
        t.resize(200, 400);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        t.setValueWithAnimation(40);
        QTRY_COMPARE(t.getValue(), 40.0);
        QCOMPARE(t.getLiquidColor(), QColor(250, 100, 100));
        const QImage img = render(t);
        const int top = qRound(332 - 75.0 / 120 * 307);
        QVERIFY2(near(img.pixel(100, top + 5), QColor(250, 100, 100)), describe(img.pixel(100, top + 5)));
        QVERIFY2(near(img.pixel(100, top - 5), QColor(100, 100, 100)), describe(img.pixel(100, top - 5)));

        // A second target while moving: the column ends at the newer one.
        t.setValueWithAnimation(-20);
        t.setValueWithAnimation(10);
        QTRY_COMPARE(t.getValue(), 10.0);
    }

    void thermometerRefusesWhatItCannotDraw()
    {
        CThermometer t;
        t.setValue(21.5);
        t.setValue(NaN);
        QCOMPARE(t.getValue(), 21.5);
        t.setValueWithAnimation(NaN);
        QTest::qWait(150);
        QCOMPARE(t.getValue(), 21.5);
        t.setPrecision(0); // 10 / 0 minor steps
        QCOMPARE(t.getPrecision(), 2);
        t.setPrecision(CThermometer::PRECISION_5);
        QCOMPARE(t.getPrecision(), 5);
        // An inverted scale draws no ticks but must still paint.
        t.setMinValue(90);
        t.resize(200, 400);
        QVERIFY(!render(t).isNull());
    }

    void ringEnvironmentSetup()
    {
        ProgressBarPercent ring;
        ring.setPercentStyle(ProgressBarPercent::PercentStyle_Arc_Polo);
        ring.setNullPosition(0);
        ring.setValue(48.2);
        ring.resize(200, 200);
        const QImage img = render(ring);
        const QColor used(24, 189, 155);
        const QColor disc(70, 70, 70);
        // Disc of radius 79 filled from the bottom up to 79 - 2 * 79 * 0.482 = 2.8 below the centre.
        QVERIFY2(near(img.pixel(150, 150), used), describe(img.pixel(150, 150)));
        QVERIFY2(near(img.pixel(150, 75), disc), describe(img.pixel(150, 75)));
        // Ring on radius 94, running clockwise from 3 o'clock over 173.5 degrees: through 6
        // o'clock, not through 12 o'clock.
        QVERIFY2(near(img.pixel(100, 194), used), describe(img.pixel(100, 194)));
        QVERIFY2(!near(img.pixel(100, 6), used, 40), describe(img.pixel(100, 6)));
    }

    void ringTakesOnlyValuesInRange()
    {
        ProgressBarPercent ring;
        QSignalSpy changed(&ring, &ProgressBarPercent::valueChanged);
        ring.setValue(101);
        ring.setValue(-1);
        ring.setValue(NaN);
        QCOMPARE(changed.count(), 0);
        ring.setValue(60.7);
        ring.setValue(60.7);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 60);
        ring.setRange(50, 50); // empty range: refused
        QCOMPARE(ring.getMinValue(), 0);
        QCOMPARE(ring.getMaxValue(), 100);
        // A new range leaves the value where it is, even outside it.
        ring.setRange(70, 100);
        QCOMPARE(ring.getValue(), 60);
        // The disc rises with the value itself: a value below zero leaves it empty.
        ring.setRange(-50, 100);
        ring.setValue(-20);
        ring.setPercentStyle(ProgressBarPercent::PercentStyle_Polo);
        ring.resize(200, 200);
        const QImage img = render(ring);
        QVERIFY2(near(img.pixel(100, 170), ring.getCircleColor()), describe(img.pixel(100, 170)));
    }

    void uvDiscAndSun_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QColor>("disc");
        QTest::newRow("low") << 0.0 << QColor(253, 216, 53);
        QTest::newRow("moderate") << 500.0 << QColor(243, 156, 18);
        QTest::newRow("extreme") << 1200.0 << QColor(74, 35, 90);
    }
    void uvDiscAndSun()
    {
        QFETCH(double, value);
        QFETCH(QColor, disc);
        Ultraviolet uv;
        QSignalSpy changed(&uv, &Ultraviolet::valueChanged);
        uv.setValue(value);
        uv.setValue(value); // no equality check: emitted each time
        QCOMPARE(changed.count(), 2);
        uv.resize(200, 200);
        const QImage img = render(uv);
        QVERIFY2(near(img.pixel(100, 165), disc), describe(img.pixel(100, 165)));
        // Between the disc (radius 80) and the edge the sun picture shows.
        QVERIFY2(near(img.pixel(100, 14), QColor(249, 168, 37), 20), describe(img.pixel(100, 14)));
    }
};

QTEST_MAIN(TestGauges)
#include "tst_gauges.moc"
