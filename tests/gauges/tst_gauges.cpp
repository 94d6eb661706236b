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

#define VERIFY_PIXEL(img, x, y, colour)                                                                       \
    QVERIFY2(near(img.pixel(x, y), colour), qPrintable(QColor(img.pixel(x, y)).name()))

// A point at logical distance d from a 400 x 400 dial's centre, along the needle turned by
// `angle` degrees clockwise from straight down (the logical square is scaled by 2).
QPoint alongNeedle(double angle, double d)
{
    const double a = angle * M_PI / 180;
    return QPoint(200 + qRound(-std::sin(a) * d * 2), 200 + qRound(std::cos(a) * d * 2));
}

// The environment tab's thermometer, -30 .. 80 on 200 x 400: tube from y 25, 307 high.
void showThermometer(CThermometer& t)
{
    t.setMaxValue(80);
    t.setMinValue(-30);
    t.resize(200, 400);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
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
            QVERIFY2(other == angle ? level > 85 : level < 75, qPrintable(QString("%1: %2").arg(other).arg(level)));
        }
    }

    void dialRangeOrderAndRefusals()
    {
        DashBoard dial;
        dial.setValue(50); // new dial runs 400 .. 100
        QCOMPARE(dial.getValue(), 400.0);
        dial.setMinValue(400); // not below 100: refused
        dial.setMaxValue(15000);
        dial.setValue(350);
        dial.setMaxValue(400); // not above the minimum: refused
        dial.setValue(NaN);
        dial.setPrecision(4);
        // Divisions of zero would divide by zero when painting: refused.
        dial.setScaleMajor(0);
        dial.setScaleMinor(0);
        QCOMPARE((QList<double>{dial.getValue(), double(dial.getMinValue()), double(dial.getMaxValue()),
                                double(dial.getPrecision()), double(dial.getScaleMajor()), double(dial.getScaleMinor())}),
                 (QList<double>{400, 400, 15000, 0, 10, 10}));
        dial.resize(200, 200);
        QVERIFY(!render(dial).isNull());
    }

    void thermometerColumn_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("liquidTop");
        QTest::addColumn<QColor>("liquid");
        // The column is (v + 35) / 120 of the tube.
        QTest::newRow("comfortable-20") << 20.0 << qRound(332 - 55.0 / 120 * 307) << QColor(24, 189, 155);
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
        showThermometer(t);
        t.setValue(value);
        const QImage img = render(t);
        // The inner bulb reaches up to y 320 (radius 36 around y 356) and always holds liquid.
        if (liquidTop > 30)
            VERIFY_PIXEL(img, 100, std::min(liquidTop - 5, 315), QColor(100, 100, 100));
        if (liquidTop < 330)
            VERIFY_PIXEL(img, 100, liquidTop + 5, liquid);
        VERIFY_PIXEL(img, 100, 356, liquid);
    }

    void thermometerAnimatesToTarget()
    {
        CThermometer t;
        t.setValue(0.0);
        showThermometer(t);
        t.setValueWithAnimation(40);
        QTRY_COMPARE(t.getValue(), 40.0);
        QCOMPARE(t.getLiquidColor(), QColor(250, 100, 100));
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
        t.setValueWithAnimation(NaN);
        QTest::qWait(150);
        QCOMPARE(t.getValue(), 21.5);
        t.setPrecision(0); // 10 / 0 minor steps
        QCOMPARE(t.getPrecision(), 2);
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
        // Disc of radius 79 filled from the bottom up to 79 - 2 * 79 * 0.482 = 2.8 below the centre.
        VERIFY_PIXEL(img, 150, 150, used);
        VERIFY_PIXEL(img, 150, 75, QColor(70, 70, 70));
        // Ring on radius 94, clockwise from 3 o'clock over 173.5 degrees: through 6 o'clock, not 12.
        VERIFY_PIXEL(img, 100, 194, used);
        QVERIFY(!near(img.pixel(100, 6), used, 40));
    }

    void ringTakesOnlyValuesInRange()
    {
        ProgressBarPercent ring;
        QSignalSpy changed(&ring, &ProgressBarPercent::valueChanged);
        for (double refused : {101.0, -1.0, NaN, 60.7, 60.7})
            ring.setValue(refused);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 60);
        ring.setRange(50, 50); // empty range: refused
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
        VERIFY_PIXEL(img, 100, 170, ring.getCircleColor());
    }

    void uvDiscAndSun()
    {
        Ultraviolet uv;
        QSignalSpy changed(&uv, &Ultraviolet::valueChanged);
        uv.setValue(500);
        uv.setValue(500); // no equality check: emitted each time
        QCOMPARE(changed.count(), 2);
        uv.resize(200, 200);
        const QImage img = render(uv);
        VERIFY_PIXEL(img, 100, 165, QColor(243, 156, 18));
        // Between the disc (radius 80) and the edge the sun picture shows.
        QVERIFY2(near(img.pixel(100, 14), QColor(249, 168, 37), 20), qPrintable(QColor(img.pixel(100, 14)).name()));
    }
};

QTEST_MAIN(TestGauges)
#include "tst_gauges.moc"
