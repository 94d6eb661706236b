// Gauge and chart arithmetic against hand-computed values.
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "widgets/gaugemath.h"

using namespace GaugeMath;

Q_DECLARE_METATYPE(GaugeMath::Rgb)

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QList<QPointF> ramp(int count, double x0 = 0, double dx = 1)
{
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points << QPointF(x0 + i * dx, std::sin(i * 0.3) * 10);
    return points;
}
} // namespace

class TestGaugeMath : public QObject
{
    Q_OBJECT
private slots:
    void dialScaleNumbers()
    {
        QCOMPARE(GaugeMath::dialScaleNumbers(400, 15000, 10),
                 (QList<double>{400, 1860, 3320, 4780, 6240, 7700, 9160, 10620, 12080, 13540, 15000}));
        // 1100 / 3 truncates to 366: the last number falls short of the top, as the dial draws it.
        QCOMPARE(GaugeMath::dialScaleNumbers(0, 1100, 3), (QList<double>{0, 366, 732, 1098}));
        QCOMPARE(GaugeMath::dialScaleNumbers(0, 100, 0), QList<double>{});
        // Numbers that fit the ring keep their font; a wide one at 9 o'clock (along the radius)
        // shrinks it until it fits, a tall one at 12 o'clock too.
        QCOMPARE(GaugeMath::dialNumberFontScale({{10, 6}, {12, 6}}, {M_PI, M_PI / 2}, 18), 1.0);
        QCOMPARE(GaugeMath::dialNumberFontScale({{10, 6}, {24, 6}}, {M_PI / 2, M_PI}, 18), 0.75);
        QCOMPARE(GaugeMath::dialNumberFontScale({{36, 30}}, {M_PI / 2}, 18), 0.6);
    }

    // Liquid, ring and UV disc colours at the edges of their bands.
    void colours_data()
    {
        QTest::addColumn<int>("gauge");
        QTest::addColumn<double>("v");
        QTest::addColumn<Rgb>("colour");
        const auto row = [](int gauge, double v, Rgb c) {
            QTest::addRow("%s-%g", std::array{"thermometer", "ring", "uv"}[gauge], v) << gauge << v << c;
        };
        row(0, 0.0, {100, 184, 255});
        row(0, 0.5, {250, 100, 100});
        row(0, 20.0, {24, 189, 155});
        row(0, 25.0, {250, 100, 100});
        row(1, 45.0, {240, 189, 24});
        row(1, 45.5, {24, 189, 155});
        row(1, 75.0, {100, 184, 255});
        const Rgb uv[] = {{253, 216, 53}, {243, 156, 18}, {243, 156, 18}, {211, 84, 0},
                          {211, 84, 0},   {255, 0, 0},    {74, 35, 90}};
        const double at[] = {400, 401, 695, 696, 880, 881, 1078};
        for (int i = 0; i < 7; ++i)
            row(2, at[i], uv[i]);
    }
    void colours()
    {
        QFETCH(int, gauge);
        QFETCH(double, v);
        QFETCH(Rgb, colour);
        QCOMPARE((gauge == 0   ? thermoLiquidColour(v)
                  : gauge == 1 ? ringUsedColour(v)
                               : uvDiscColour(v)),
                 colour);
    }

    void thermometerScale()
    {
        QCOMPARE(thermoScaleEnd(85), 80);
        QCOMPARE(thermoScaleEnd(-35), -30);
        QCOMPARE(thermoScaleEnd(-40), -40);
    }

    void thermometerColumn()
    {
        // A label's tick sits at (i + 0.5) spacings of h / (n + 1) above the bottom: -30 .. 80 has
        // n = 11, so the 20 tick (i = 5) is at 5.5 * 307 / 12.
        QVERIFY(qFuzzyCompare(thermoLiquidHeight(20, -30, 80, 307), 5.5 * 307 / 12));
        QVERIFY(qFuzzyCompare(thermoLiquidHeight(-30, -30, 80, 307), 0.5 * 307 / 12));
        QCOMPARE(thermoLiquidHeight(NaN, -30, 80, 307), 0.0);
        QCOMPARE(thermoLiquidHeight(5, 10, 0, 307), 0.0); // min = max + 10 would divide by zero
    }

    void ringGeometry()
    {
        // The text divides the value itself, not its distance from the bottom, by the span.
        QCOMPARE(ringPercent(75, 50, 100), 150.0);
        QCOMPARE(ringPercent(48.2, 0, 100), 48.2);
        QCOMPARE(ringAngle(25, 0, 100, false), -90.0);
        QCOMPARE(ringAngle(75, 50, 100, true), 360.0); // 540 degrees is a full ring
        QVERIFY(qFuzzyCompare(ringFillHeight(79, 48.2, 0, 100), 79 * 0.482));
        QCOMPARE(ringFillHeight(79, 150, 0, 100), 79.0);
        QCOMPARE(ringFillHeight(79, -20, -50, 100), 0.0);
    }

    void waveBoundsSkipNonFinite()
    {
        const QList<QPointF> a{{1, 2}, {3, -4}, {NaN, 100}, {2, Inf}};
        const QList<QPointF> b{{10, 0}};
        QCOMPARE(waveBounds({&a, &b}).value(), QRectF(1, -4, 9, 6)); // non-finite points left out
        const QList<QPointF> none;
        QVERIFY(!waveBounds({&none}).has_value());
        // A single point at the origin is still data.
        const QList<QPointF> origin{{0, 0}};
        QCOMPARE(waveBounds({&origin}).value(), QRectF(0, 0, 0, 0));
    }

    void waveZoom()
    {
        // Plot area 100..500 x 50..350, centre (300, 200). Pointer at (100, 50), factor 1.2:
        // s = 1.2, centre moves by (c - p) * (1 - 1/1.2) = (200, 150) / 6.
        const QRectF r = waveZoomRect(QRectF(100, 50, 400, 300), QPointF(100, 50), 1.2, 1.2);
        QCOMPARE(r.size(), QSizeF(480, 360));
        QVERIFY(qFuzzyCompare(r.center().x(), 300 + 200.0 / 6));
        QVERIFY(qFuzzyCompare(r.center().y(), 200 + 150.0 / 6));
        // Pointer at the centre: the centre stays.
        QCOMPARE(waveZoomRect(QRectF(0, 0, 400, 300), QPointF(200, 150), 0.8, 0.8).center(),
                 QPointF(200, 150));
    }

    void wavePointsToDraw_data()
    {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QList<QPointF>>("expected");
        const QList<QPointF> r = ramp(100);
        QTest::newRow("window-with-neighbours") << r << 10.0 << 20.0 << r.mid(9, 13);
        QTest::newRow("window-at-start") << r << 0.0 << 5.0 << r.mid(0, 7);
        QTest::newRow("window-past-end") << r << 90.0 << 140.0 << r.mid(89);
        QTest::newRow("empty") << QList<QPointF>{} << 0.0 << 50.0 << QList<QPointF>{};
        const QList<QPointF> unsorted{{5, 1}, {1, 2}, {300, 3}};
        QTest::newRow("unsorted-unchanged") << unsorted << 0.0 << 50.0 << unsorted;
    }
    void wavePointsToDraw()
    {
        QFETCH(QList<QPointF>, points);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(QList<QPointF>, expected);
        QCOMPARE(GaugeMath::wavePointsToDraw(points, lower, upper, 800), expected);
    }

    void waveDecimationKeepsExtremes()
    {
        // 20000 samples over 100 columns: at most four per column plus the two neighbours, in
        // order, and every column's lowest and highest sample survive.
        QList<QPointF> points;
        for (int i = 0; i < 20000; ++i)
            points << QPointF(i, (i % 200 == 77) ? 1000 : (i % 200 == 150 ? -1000 : std::sin(i * 0.01)));
        const QList<QPointF> drawn = GaugeMath::wavePointsToDraw(points, 0, 20000, 100);
        QVERIFY(drawn.size() <= 4 * 100 + 2);
        QVERIFY(std::is_sorted(drawn.cbegin(), drawn.cend(),
                               [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }));
        QCOMPARE(drawn.first(), points.first());
        QCOMPARE(drawn.last(), points.last());
        for (double extreme : {1000.0, -1000.0})
            QCOMPARE(std::count_if(drawn.cbegin(), drawn.cend(),
                                   [&](const QPointF& p) { return p.y() == extreme; }),
                     100);
    }
};

QTEST_GUILESS_MAIN(TestGaugeMath)
#include "tst_gaugemath.moc"
