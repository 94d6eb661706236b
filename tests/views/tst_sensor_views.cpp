// The time-of-flight, spectroscopy, I2C register and attitude views, offscreen: where readings land,
// what they paint, and the arithmetic behind them.
#include <QBarSet>
#include <QChartView>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QQuaternion>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTest>
#include <QVector4D>

#include <cmath>
#include <numeric>

#include "sensors/attitude_math.h"
#include "sensors/i2cframe.h"
#include "sensors/quenlix_3d_imu.h"
#include "sensors/quenlix_i2c_tools.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "sensors/spectrum_scale.h"
#include "sensors/tof_scale.h"

Q_DECLARE_METATYPE(Rgb)

namespace {

QList<int> ramp(int count, int first = 0)
{
    QList<int> values(count);
    std::iota(values.begin(), values.end(), first);
    return values;
}

const auto surfaceHeight = [](quenlix_tof_surface* surface, int row, int column) {
    return surface->dataArray->at(row)->at(column).y();
};

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

class TestSensorViews : public QObject
{
    Q_OBJECT
private slots:
    // Frame index i sits in row i / cols, column i % cols; an unknown code is 8 x 8.
    void tofLabelGridArrangements()
    {
        quenlix_tof_data data;
        auto* grid = data.findChild<QGridLayout*>(QStringLiteral("gridLayout_tofdata"));
        const int arrangements[][3] = {{1, 8, 8}, {0, 4, 4}, {5, 42, 54}, {99, 8, 8}}; // code, rows, columns
        for (const auto& [code, rows, cols] : arrangements) {
            data.changeArrangement(code);
            QCOMPARE(grid->count(), rows * cols); // the previous labels are gone
            const int last = rows * cols - 1;
            QCOMPARE(grid->itemAtPosition(last / cols, last % cols)->widget(), data.labels.at(last));
            QCOMPARE(grid->itemAtPosition(1, 0)->widget(), data.labels.at(cols));
        }
    }

    // A frame is drawn at screen rate, and only on the labels it reaches.
    void tofPagesAndFrames()
    {
        quenlix_tof view;
        // The console's chart list maps 0 "2D", 1 "3D", 2 "Depth" onto the pages.
        view.change(2);
        QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.heatmap));
        view.change(0);
        QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.data));
        view.showFrame(ramp(64, 1)); // a longer frame than the 4 x 4 grid
        view.showFrame(ramp(16, 100));
        QCOMPARE(view.data->labels.at(0)->text(), QStringLiteral("0"));
        QTRY_COMPARE(view.data->labels.at(15)->text(), QStringLiteral("115"));
        QCOMPARE(view.framesShown(), 1);
        view.showFrame(ramp(4, 7));
        view.flush();
        QCOMPARE(view.data->labels.at(3)->text(), QStringLiteral("10"));
        QCOMPARE(view.data->labels.at(4)->text(), QStringLiteral("104"));
        // The 8 x 8 heat map took the 64-value frame and ignored the shorter ones after it.
        QCOMPARE(view.heatmap->values.value(3), 4);
    }

    void tofHeatMapFrameSizes()
    {
        quenlix_tof_heatmap map;
        map.updateData(ramp(64, 100));
        QCOMPARE(map.values.value(63), 163);
        // A frame that fits neither the grid nor a known sensor keeps the previous picture.
        map.updateData(ramp(16));
        QCOMPARE(map.values.value(63), 163);
        map.updateData(ramp(480));
        QCOMPARE(std::pair(map.rows, map.cols), std::pair(20, 24));
        map.updateData(ramp(2268));
        QCOMPARE(std::pair(map.rows, map.cols), std::pair(42, 54));
        map.changeArrangement(32, 48);
        QCOMPARE(map.values, QList<int>(1536, 0));
        // A size below one cell would divide by zero when painting: refused.
        map.changeArrangement(0, 8);
        map.changeArrangement(8, -1);
        QCOMPARE(std::pair(map.rows, map.cols), std::pair(32, 48));
    }

    void tofSurfacePointOrderAndHeights()
    {
        quenlix_tof_surface surface;
        surface.changeArrangement(1);
        surface.updateMultipleDataPoints(surface.points, {0, 500});
        QCOMPARE(surfaceHeight(&surface, 0, 6), 500.0);
        QCOMPARE(surfaceHeight(&surface, 0, 7), 0.0);
        surface.changeArrangement(4);
        QCOMPARE(surface.points.size(), 1536);
        QCOMPARE(surface.series->dataProxy()->rowCount(), 32);
        QCOMPARE(surface.series->dataProxy()->columnCount(), 48);
        // Item positions are (column, height, row).
        QCOMPARE(surface.dataArray->at(31)->at(47).position(), QVector3D(47, 3000, 31));

        surface.changeArrangement(0);
        surface.setYRange(2000);
        surface.updateMultipleDataPoints(surface.points, {2500, 1500, 12, 2000});
        // Row 0 mirrored: indexes 0..3 go to columns 3..0; heights above the range are drawn at it.
        QCOMPARE((QList<double>{surfaceHeight(&surface, 0, 3), surfaceHeight(&surface, 0, 2),
                                surfaceHeight(&surface, 0, 1), surfaceHeight(&surface, 0, 0),
                                surfaceHeight(&surface, 1, 0)}),
                 (QList<double>{2000, 1500, 12, 2000, 3000}));
        // Points outside the grid and values beyond the point list are skipped.
        surface.updateMultipleDataPoints({QPoint(-1, 0), QPoint(4, 0), QPoint(0, 4), QPoint(1, 1)},
                                         {1, 2, 3, 4, 5});
        QCOMPARE(surfaceHeight(&surface, 1, 1), 4.0);
        surface.updateDataPoint(4, 0, 7);
        surface.updateDataPoint(0, -1, 7);
        surface.updateDataPoint(2, 3, 7);
        QCOMPARE(surfaceHeight(&surface, 2, 3), 7.0);
        QCOMPARE(surface.dataArray->at(2)->at(3).x(), 3.0f);
    }

    // Offscreen there is no OpenGL: the 3D views must show a notice instead of crashing when shown.
    void threeDViewsDegradeWithoutOpenGl()
    {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("only meaningful without OpenGL");
        quenlix_tof view;
        view.change(1);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.surface->graph, nullptr);
        QVERIFY(qobject_cast<QLabel*>(view.surface->container));
        view.surface->changeArrangement(5);
        view.surface->setYRange(4000);
        view.surface->updateMultipleDataPoints(view.surface->points, QList<double>(2268, 100.0));
        QCOMPARE(surfaceHeight(view.surface, 41, 53), 100.0);
        quenlix_3d_imu imu;
        imu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&imu));
        QCOMPARE(imu.window3D(), nullptr);
        imu.Set_Value(1, 0, 0, 0);
        QCoreApplication::processEvents();
    }

    // One reading lands in exactly one place (or none): the snapshot position for channel, sensor
    // type and chart.
    void spectrumRouting()
    {
        // clang-format off
        const int table[][4] = {
            {8, 0, 0, 8},           // AS7341 NIR
            {9, 0, 0, -1},          // AS7341 FXL: no bar
            {12, 1, 0, -1},         // AS7343 has no channel 12
            {17, 2, 0, 21 + 17},    // AS7265X 940 nm bar
            {18, 2, 0, -1},         // AS7265X has no channel 18
            {0, 255, 0, -1},        // unknown type
            {17, 2, 1, 39 + 18},    // curve at 940 nm
            {255, 2, 1, 39},        // curve channel 255 wraps to 380 nm
            {0, 0, 255, -1}};       // no chart selected
        // clang-format on
        // Every bar value of the three charts and every curve value in one list: AS7341 bars are at
        // 0..8, AS7343 at 9..20, AS7265X at 21..38, the curve at 39..57.
        const auto snapshot = [](const quenlix_spectroscopy& view) {
            QList<double> all;
            for (int type = 0; type < 3; ++type)
                for (QBarSet* set : view.chart(type)->barSets())
                    all.append(set->at(0));
            return all + view.curve()->values();
        };
        for (const auto& [channel, type, chart, where] : table) {
            quenlix_spectroscopy view;
            view.update_data_barset(uchar(channel), 0.3, uchar(type), uchar(chart));
            QList<double> expected(58, 0.0);
            if (where >= 0)
                expected[where] = 0.3;
            QVERIFY2(
                snapshot(view) == expected,
                qPrintable(QStringLiteral("channel %1 type %2 chart %3").arg(channel).arg(type).arg(chart)));
        }
    }

    void spectrumCurveListsStayPaired()
    {
        quenlix_spectroscopy_spline curve;
        QList<double> eighteen(18, 0.5);
        curve.updateSpectrumData(eighteen);
        curve.setSpectrumData(eighteen);
        curve.update_data_barset(19, 1.0);
        QCOMPARE(curve.values(), QList<double>(19, 0.0));
        QList<double> nineteen(19, 0.25);
        curve.updateSpectrumData(nineteen);
        QCOMPARE(curve.values(), nineteen);
        // Fewer than two wavelengths cannot be drawn (the x spacing divides by n - 1).
        curve.setWavelengths({500});
        QCOMPARE(curve.wavelengths().size(), 19);
        curve.setWavelengths({400, 700});
        QCOMPARE(curve.values(), QList<double>({0.25, 0.25}));
        curve.resize(300, 200);
        QVERIFY(!curve.grab().toImage().isNull());
    }

    void i2cRegisterFrames_data()
    {
        QTest::addColumn<int>("payloadSize");
        QTest::addColumn<int>("updated");
        QTest::newRow("oversized-300-bytes") << 300 << 256;
        QTest::newRow("empty") << 0 << 0;
    }
    void i2cRegisterFrames()
    {
        QFETCH(int, payloadSize);
        QFETCH(int, updated);
        quenlix_i2c_tools tools;
        // Register 16 (r - 1) + (c - 1) sits in row r, column c, after the header row and column.
        auto* grid = tools.findChild<QGridLayout*>(QStringLiteral("gridLayout"));
        for (int reg : {0x00, 0x0F, 0x10, 0x5C, 0xFF})
            QCOMPARE(grid->itemAtPosition(reg / 16 + 1, reg % 16 + 1)->widget(), tools.valueLabels.at(reg));
        tools.updateLabelValues(256, 0x11); // beyond the grid: ignored
        tools.updateLabelValues(-1, 0x11);
        QByteArray payload;
        for (int i = 0; i < payloadSize; ++i)
            payload.append(char(0xFF - (i & 0xFF)));
        const QByteArray frame = I2cFrame::encode(I2cFrame::Start, payload);
        // Delivered in two uneven chunks, as a serial port would.
        tools.updateValues(frame.left(7));
        tools.updateValues(frame.mid(7));
        QTRY_COMPARE(tools.framesShown(), payloadSize > 0 ? 1 : 0);
        for (int reg = 0; reg < 256; ++reg)
            QCOMPARE(tools.valueLabels.at(reg)->text(),
                     reg < updated ? QStringLiteral("%1").arg(0xFF - reg, 2, 16, QLatin1Char('0')).toUpper()
                                   : QStringLiteral("00"));
    }

    void colours_data()
    {
        QTest::addColumn<int>("map");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("range");
        QTest::addColumn<Rgb>("expected");
        enum { Label, Heat, Wavelength };
        const auto row = [](int map, const char* name, double v, int range, Rgb c) {
            QTest::newRow(name) << map << v << range << c;
        };
        row(Label, "label-zero-is-white", 0, 4000, {255, 255, 255});
        row(Label, "label-quarter", 1000, 4000, {0, 0, 127});
        row(Label, "label-three-quarters", 3000, 4000, {127, 0, 127});
        row(Label, "label-beyond-range-is-red", 9000, 4000, {255, 0, 0});
        // A range of 1 has no first half: nothing may come out as NaN garbage.
        row(Label, "label-range-1-value-1", 1, 1, {255, 0, 0});
        row(Heat, "heat-first-reading", 51, 2000, {180, 0, 0});
        row(Heat, "heat-t-0.2", 440, 2000, {240, 60, 0});
        row(Heat, "heat-t-0.4", 830, 2000, {245, 200, 0});
        row(Heat, "heat-t-0.65", 1350, 2050, {0, 180, 180});
        row(Heat, "heat-at-range", 2000, 2000, {0, 0, 160});
        row(Heat, "heat-fifty-no-reading", 50, 2000, {10, 12, 18});
        row(Heat, "heat-beyond-range-no-reading", 2001, 2000, {10, 12, 18});
        // One sensor band from each stretch of the spectrum, and its ends.
        row(Wavelength, "380-nm", 380, 0, {150, 0, 255});
        row(Wavelength, "460-nm", 460, 0, {0, 72, 255});
        row(Wavelength, "500-nm", 500, 0, {0, 217, 217});
        row(Wavelength, "510-nm", 510, 0, {0, 255, 0});
        row(Wavelength, "610-nm", 610, 0, {255, 160, 0});
        row(Wavelength, "705-nm", 705, 0, {182, 21, 21});
        row(Wavelength, "760-nm", 760, 0, {129, 8, 8});
        row(Wavelength, "940-nm", 940, 0, {160, 160, 160});
        row(Wavelength, "below-visible", 379.9, 0, {128, 128, 128});
        row(Wavelength, "beyond-940", 940.1, 0, {128, 128, 128});
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

    // Roll applies first, then pitch, then yaw. Straight up or down only the yaw - roll difference is
    // defined: it is reported as yaw, roll 0.
    void eulerAngles()
    {
        const QList<std::pair<Attitude::Quaternion, QList<double>>> table = {
            {product(rotation(30, 0, 1, 0), product(rotation(20, 1, 0, 0), rotation(10, 0, 0, 1))),
             {20, 30, 10}},
            {product(rotation(90, 1, 0, 0), rotation(25, 0, 0, 1)), {90, -25, 0}},
            {product(rotation(-90, 1, 0, 0), rotation(25, 0, 0, 1)), {-90, 25, 0}}};
        for (const auto& [q, angles] : table) {
            const Attitude::EulerAngles e = Attitude::eulerAngles(q);
            const QList<double> got{e.pitch, e.yaw, e.roll};
            for (int i = 0; i < 3; ++i)
                QVERIFY2(std::abs(got[i] - angles[i]) < 0.05, qPrintable(QString::number(got[i])));
        }
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
        const auto unit = [](double w, double x, double y, double z) {
            const std::optional<Attitude::Quaternion> q = unitQuaternion(w, x, y, z);
            return q ? QVector4D(q->w, q->x, q->y, q->z) : QVector4D();
        };
        QVERIFY(qFuzzyCompare(unit(2, 0, 0, 0), QVector4D(1, 0, 0, 0)));
        QVERIFY(qFuzzyCompare(unit(0, 3, 0, 4), QVector4D(0, 0.6f, 0, 0.8f)));
        QVERIFY(qFuzzyCompare(unit(1e-30, 0, 0, 0), QVector4D(1, 0, 0, 0)));
        QVERIFY(qFuzzyCompare(unit(1e300, 1e300, 0, 0), QVector4D(M_SQRT1_2, M_SQRT1_2, 0, 0)));
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

QTEST_MAIN(TestSensorViews)
#include "tst_sensor_views.moc"
