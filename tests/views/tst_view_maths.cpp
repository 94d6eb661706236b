#include <QQuaternion>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

#include "sensors/attitude_math.h"
#include "sensors/spectrum_scale.h"
#include "sensors/tof_scale.h"

Q_DECLARE_METATYPE(Rgb)
Q_DECLARE_METATYPE(Attitude::Quaternion)

namespace {

// Rotation by `degrees` about a unit axis: (cos(a/2), sin(a/2) * axis).
Attitude::Quaternion rotation(double degrees, double ax, double ay, double az)
{
    const double half = degrees * M_PI / 360.0;
    const double s = std::sin(half);
    return {float(std::cos(half)), float(ax * s), float(ay * s), float(az * s)};
}

// Hamilton product a * b (b applied first).
Attitude::Quaternion product(const Attitude::Quaternion& a, const Attitude::Quaternion& b)
{
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

} // namespace

class TestViewMaths : public QObject
{
    Q_OBJECT
private slots:
    // The value-grid, heat-map and spectrum colour maps; the value is in millimetres or nanometres.
    void colours_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("range");
        QTest::addColumn<Rgb>("expected");
        const auto label = [](const char* name, int v, int range, Rgb c) {
            QTest::newRow(name) << 0 << double(v) << range << c;
        };
        const auto heat = [](const char* name, int v, int range, Rgb c) {
            QTest::newRow(name) << 1 << double(v) << range << c;
        };
        const auto nm = [](const char* name, double v, Rgb c) { QTest::newRow(name) << 2 << v << 0 << c; };
        label("label-zero-is-white", 0, 4000, {255, 255, 255});
        label("label-one-is-black", 1, 4000, {0, 0, 0});
        label("label-quarter", 1000, 4000, {0, 0, 127});
        label("label-half-is-blue", 2000, 4000, {0, 0, 255});
        label("label-three-quarters", 3000, 4000, {127, 0, 127});
        label("label-beyond-range-is-red", 9000, 4000, {255, 0, 0});
        label("label-negative-is-black", -5, 4000, {0, 0, 0});
        // A range of 1 has no first half: nothing may come out as NaN garbage.
        label("label-range-1-value-1", 1, 1, {255, 0, 0});
        label("label-range-0", 5, 0, {255, 0, 0});
        heat("heat-first-reading", 51, 2000, {180, 0, 0});
        heat("heat-t-0.2", 440, 2000, {240, 60, 0});
        heat("heat-t-0.4", 830, 2000, {245, 200, 0});
        heat("heat-t-0.5", 1025, 2000, {147, 192, 71});
        heat("heat-t-0.65", 1350, 2050, {0, 180, 180});
        heat("heat-at-range", 2000, 2000, {0, 0, 160});
        heat("heat-fifty-no-reading", 50, 2000, {10, 12, 18});
        heat("heat-beyond-range-no-reading", 2001, 2000, {10, 12, 18});
        heat("heat-range-below-51", 40, 30, {10, 12, 18});
        // One sensor band from each stretch of the spectrum, and its ends.
        nm("380-nm", 380, {150, 0, 255});
        nm("460-nm", 460, {0, 72, 255});
        nm("510-nm", 510, {0, 255, 0});
        nm("610-nm", 610, {255, 160, 0});
        nm("645-nm", 645, {255, 50, 50});
        nm("705-nm", 705, {182, 21, 21});
        nm("760-nm", 760, {129, 8, 8});
        nm("940-nm", 940, {160, 160, 160});
        nm("below-visible", 379.9, {128, 128, 128});
        nm("beyond-940", 940.1, {128, 128, 128});
        nm("not-a-number", NAN, {128, 128, 128});
    }

    void colours()
    {
        QFETCH(int, map);
        QFETCH(double, value);
        QFETCH(int, range);
        QFETCH(Rgb, expected);
        const Rgb c = map == 0   ? TofScale::labelColor(int(value), range)
                      : map == 1 ? TofScale::heatColor(int(value), range)
                                 : SpectrumScale::wavelengthColor(value);
        QCOMPARE(QList<int>({c.r, c.g, c.b}), QList<int>({expected.r, expected.g, expected.b}));
    }

    void tofLabelPointSize()
    {
        const QList<QPair<int, int>> table = {{16, 12}, {17, 10}, {64, 10}, {65, 6},
                                              {256, 6}, {257, 4}, {480, 4}, {481, 1}};
        for (const auto& [count, points] : table)
            QVERIFY2(TofScale::labelPointSize(count) == points, qPrintable(QString::number(count)));
    }

    void spectrumPlotArea()
    {
        const SpectrumScale::PlotArea a = SpectrumScale::plotArea(570, 460);
        // pointX(1) is 50 + 500 / 18 truncated; a wild reading stays a coordinate (no undefined
        // float-to-int conversion).
        QCOMPARE((QList<int>{a.right(), a.bottom(), a.pointX(0, 19), a.pointX(1, 19), a.pointX(18, 19),
                             a.valueY(1.0), a.valueY(0.5), a.valueY(0.0), a.gridY(0), a.gridY(10),
                             a.valueY(NAN), a.valueY(1e300)}),
                 (QList<int>{550, 420, 50, 77, 550, 20, 220, 420, 20, 420, 420, -1000000}));
    }

    void eulerAngles_data()
    {
        QTest::addColumn<Attitude::Quaternion>("q");
        QTest::addColumn<QList<double>>("angles"); // pitch, yaw, roll
        const auto add = [](const char* name, const Attitude::Quaternion& q, double p, double y, double r) {
            QTest::newRow(name) << q << QList<double>{p, y, r};
        };
        add("unnormalised-identity", {2, 0, 0, 0}, 0, 0, 0);
        add("45-about-x", rotation(45, 1, 0, 0), 45, 0, 0);
        add("90-about-z", rotation(90, 0, 0, 1), 0, 0, 90);
        add("180-about-y", {0, 0, 1, 0}, 0, 180, 0);
        // Roll first, then pitch, then yaw.
        add("yaw30-pitch20-roll10",
            product(rotation(30, 0, 1, 0), product(rotation(20, 1, 0, 0), rotation(10, 0, 0, 1))), 20, 30,
            10);
        // Straight up: only the yaw - roll difference is defined; it is reported as yaw, roll 0.
        add("gimbal-up", product(rotation(90, 1, 0, 0), rotation(25, 0, 0, 1)), 90, -25, 0);
        add("gimbal-down", product(rotation(-90, 1, 0, 0), rotation(25, 0, 0, 1)), -90, 25, 0);
    }

    void eulerAngles()
    {
        QFETCH(Attitude::Quaternion, q);
        QFETCH(QList<double>, angles);
        const Attitude::EulerAngles e = Attitude::eulerAngles(q);
        const QList<double> got{e.pitch, e.yaw, e.roll};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(std::abs(got[i] - angles[i]) < 0.05, qPrintable(QString::number(got[i])));
    }

    // The IMU console reports the toolkit's own decomposition: compare with QQuaternion over random
    // attitudes, lengths other than 1 included.
    void eulerAnglesMatchToolkit()
    {
        QRandomGenerator rng(20240521);
        for (int i = 0; i < 2000; ++i) {
            const float w = float(rng.bounded(4.0) - 2.0), x = float(rng.bounded(4.0) - 2.0),
                        y = float(rng.bounded(4.0) - 2.0), z = float(rng.bounded(4.0) - 2.0);
            float pitch, yaw, roll;
            QQuaternion(w, x, y, z).getEulerAngles(&pitch, &yaw, &roll);
            const Attitude::EulerAngles e = Attitude::eulerAngles({w, x, y, z});
            const QString where = QStringLiteral("(%1, %2, %3, %4)").arg(w).arg(x).arg(y).arg(z);
            QVERIFY2(std::abs(e.pitch - pitch) < 0.01f, qPrintable(where));
            QVERIFY2(std::abs(e.yaw - yaw) < 0.01f, qPrintable(where));
            QVERIFY2(std::abs(e.roll - roll) < 0.01f, qPrintable(where));
        }
    }

    void unitQuaternion()
    {
        using Attitude::unitQuaternion;
        const auto same = [](const std::optional<Attitude::Quaternion>& q, float w, float x, float y,
                             float z) {
            return q && std::abs(q->w - w) < 1e-6f && std::abs(q->x - x) < 1e-6f &&
                   std::abs(q->y - y) < 1e-6f && std::abs(q->z - z) < 1e-6f;
        };
        QVERIFY(same(unitQuaternion(2, 0, 0, 0), 1, 0, 0, 0));
        QVERIFY(same(unitQuaternion(0, 3, 0, 4), 0, 0.6f, 0, 0.8f));
        QVERIFY(same(unitQuaternion(1e-30, 0, 0, 0), 1, 0, 0, 0));
        QVERIFY(same(unitQuaternion(1e300, 1e300, 0, 0), float(M_SQRT1_2), float(M_SQRT1_2), 0, 0));
        QVERIFY(!unitQuaternion(0, 0, 0, 0));
        QVERIFY(!unitQuaternion(NAN, 1, 0, 0));
        QVERIFY(!unitQuaternion(1, INFINITY, 0, 0));
    }

    void wheelZoom()
    {
        using namespace Attitude;
        // One notch (angle delta 120) forward: 94 % of the distance; backward: 106 %.
        const std::optional<double> forward = wheelStep(QPoint(), QPoint(0, 120));
        QVERIFY(forward);
        QCOMPARE(zoomedDistance(300, *forward, 0.1, 2000), 282.0);
        QCOMPARE(zoomedDistance(300, *wheelStep(QPoint(), QPoint(0, -120)), 0.1, 2000), 318.0);
        // A pixel delta wins over the angle delta.
        QCOMPARE(*wheelStep(QPoint(0, 10), QPoint(0, 120)), -10.0);
        QVERIFY(!wheelStep(QPoint(), QPoint()));
        QVERIFY(!wheelStep(QPoint(5, 0), QPoint(0, 120))); // sideways pixels: no vertical movement

        double distance = 300;
        for (int i = 0; i < 500; ++i)
            distance = zoomedDistance(distance, *forward, 0.1, 2000);
        QCOMPARE(distance, 0.2);
        for (int i = 0; i < 500; ++i)
            distance = zoomedDistance(distance, -*forward, 0.1, 2000);
        QCOMPARE(distance, 1800.0);
        // Even a huge step cannot pass through the view centre.
        QCOMPARE(zoomedDistance(300, -100000, 0.1, 2000), 0.2);
    }
};

QTEST_GUILESS_MAIN(TestViewMaths)
#include "tst_view_maths.moc"
