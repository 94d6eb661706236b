// The painted gauges and the waveform view, offscreen: how the gauges take values they should not
// show, the waveform view driven as the oscilloscope console and the user drive it, and the gauge and
// chart arithmetic against hand-computed values.
#include <QApplication>
#include <QChart>
#include <QContextMenuEvent>
#include <QLineF>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/gaugemath.h"
#include "widgets/mwaveview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

using namespace GaugeMath;

Q_DECLARE_METATYPE(GaugeMath::Rgb)

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QList<QPointF> samples(
    int from, int to, double (*f)(int) = [](int i) { return std::sin(i * 0.1) * 10; })
{
    QList<QPointF> points;
    for (int i = from; i <= to; ++i)
        points << QPointF(i, f(i));
    return points;
}

// Presses `button` at `from`, moves 100 pixels left holding it, and releases it there.
void dragLeft(MWaveView& view, Qt::MouseButton button, QPoint from)
{
    const QPoint to = from - QPoint(100, 0);
    QTest::mousePress(view.viewport(), button, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view.viewport()->mapToGlobal(to), Qt::NoButton, button,
                     Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), button, {}, to);
}

void fitToData(MWaveView& view)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 200),
                            view.viewport()->mapToGlobal(QPoint(300, 200)));
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

class TestGauges : public QObject
{
    Q_OBJECT
    std::unique_ptr<MWaveView> view; // shown afresh for every test

    QPair<double, double> xRange() const { return {view->axisX()->min(), view->axisX()->max()}; }
    QPair<double, double> yRange() const { return {view->axisY()->min(), view->axisY()->max()}; }

private slots:
    void init()
    {
        view = std::make_unique<MWaveView>();
        view->resize(800, 500);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    void cleanup() { view.reset(); }

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
                                double(dial.getPrecision()), double(dial.getScaleMajor()),
                                double(dial.getScaleMinor())}),
                 (QList<double>{400, 400, 15000, 0, 10, 10}));
        dial.resize(200, 200);
        QVERIFY(!dial.grab().isNull());
    }

    void thermometerAnimatesAndRefuses()
    {
        CThermometer t;
        t.setValue(0.0);
        t.setValueWithAnimation(40);
        QTRY_COMPARE(t.getValue(), 40.0);
        // A second target while moving: the column ends at the newer one.
        t.setValueWithAnimation(-20);
        t.setValueWithAnimation(10);
        QTRY_COMPARE(t.getValue(), 10.0);
        // What it cannot draw is refused.
        t.setValue(NaN);
        t.setValueWithAnimation(NaN);
        QCOMPARE(t.getValue(), 10.0);
        t.setPrecision(0); // 10 / 0 minor steps
        QCOMPARE(t.getPrecision(), 2);
        // An inverted scale draws no ticks but must still paint.
        t.setMinValue(90);
        t.resize(200, 400);
        QVERIFY(!t.grab().isNull());
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
    }

    void xAxisFollowsTheData()
    {
        view->addSeriesData(WAVE_CH0, samples(1, 40));
        QTRY_COMPARE(xRange(), qMakePair(0.0, 50.0));
        view->addSeriesData(WAVE_CH0, samples(41, 80));
        QTRY_COMPARE(xRange(), qMakePair(30.0, 80.0));
        QCOMPARE(yRange(), qMakePair(-25.0, 25.0)); // the Y axis is not touched
        QCOMPARE(view->series(WAVE_CH0)->points().constLast(), QPointF(80, std::sin(80 * 0.1) * 10));
        // An empty list on any channel returns to the start.
        view->addSeriesData(WAVE_CH1, QList<QPointF>());
        QTRY_COMPARE(xRange(), qMakePair(0.0, 50.0));
    }

    void leftDragPans()
    {
        view->addSeriesData(WAVE_CH0, samples(1, 40));
        QTRY_COMPARE(xRange(), qMakePair(0.0, 50.0));
        const QPoint from = view->chart()->plotArea().center().toPoint();
        dragLeft(*view, Qt::LeftButton, from);
        // Dragged left by 100 pixels: the plot follows, showing later X values.
        const double shift = 100 * 50 / view->chart()->plotArea().width();
        QVERIFY(qAbs(view->axisX()->min() - shift) < 0.5);
        // Other buttons do not drag.
        const double min = view->axisX()->min();
        dragLeft(*view, Qt::RightButton, from);
        QCOMPARE(view->axisX()->min(), min);
    }

    void fitLeavesOutHiddenChannels()
    {
        view->addSeriesData(WAVE_CH0, samples(0, 10, [](int i) { return i * 0.5; }));
        view->addSeriesData(WAVE_CH1, samples(0, 100, [](int i) { return i - 50.0; }));
        view->closeChannel(WAVE_CH1);
        fitToData(*view);
        QCOMPARE(xRange(), qMakePair(0.0, 10.0));
        QCOMPARE(yRange(), qMakePair(0.0, 5.0));
        QCOMPARE(view->getRangeX(), 10.0);
        // Hidden points are kept and come back unchanged.
        view->openChannel(WAVE_CH1);
        QCOMPARE(view->channelPoints(WAVE_CH1), samples(0, 100, [](int i) { return i - 50.0; }));
        fitToData(*view);
        QCOMPARE(xRange(), qMakePair(0.0, 100.0));
        QCOMPARE(yRange(), qMakePair(-50.0, 50.0));
        // Afterwards the data scroll in the fitted width; Y keeps the fit.
        view->addSeriesData(WAVE_CH0, samples(0, 300));
        QTRY_COMPARE(xRange(), qMakePair(200.0, 300.0));
        QCOMPARE(yRange(), qMakePair(-50.0, 50.0));
    }

    // Whole lists are capped on the oscilloscope tab's test; single points here.
    void channelsKeepTheNewestPoints()
    {
        for (int i = 1; i <= 20005; ++i)
            view->addSeriesData(WAVE_CH4, QPointF(i, std::sin(i * 0.1)));
        QCOMPARE(view->channelPoints(WAVE_CH4).size(), 20000);
        QCOMPARE(view->channelPoints(WAVE_CH4).first().x(), 6.0);
        // A whole fit draws at most a few points per pixel column, not 20000.
        fitToData(*view);
        QTRY_VERIFY(view->series(WAVE_CH4)->count() > 0);
        QVERIFY(view->series(WAVE_CH4)->count() <= 4 * view->chart()->plotArea().width() + 2);
    }

    void pauseAndClear()
    {
        view->pauseGraph();
        view->addSeriesData(WAVE_CH0, samples(1, 80));
        view->addSeriesData(WAVE_CH0, QPointF(81, 1));
        QVERIFY(view->channelPoints(WAVE_CH0).isEmpty());
        QCOMPARE(xRange(), qMakePair(0.0, 50.0));
        view->slots_startGraph();
        view->addSeriesData(WAVE_CH0, samples(1, 80));
        QTRY_COMPARE(view->series(WAVE_CH0)->count(), 52);
        view->clearChannel(WAVE_CH0);
        QVERIFY(view->channelPoints(WAVE_CH0).isEmpty());
        QTRY_COMPARE(view->series(WAVE_CH0)->count(), 0);
    }

    void dialScaleNumbers()
    {
        QCOMPARE(GaugeMath::dialScaleNumbers(400, 15000, 10),
                 (QList<double>{400, 1860, 3320, 4780, 6240, 7700, 9160, 10620, 12080, 13540, 15000}));
        // 1100 / 3 truncates to 366: the last number falls short of the top, as the dial draws it.
        QCOMPARE(GaugeMath::dialScaleNumbers(0, 1100, 3), (QList<double>{0, 366, 732, 1098}));
        QCOMPARE(GaugeMath::dialScaleNumbers(0, 100, 0), QList<double>{});
    }

    // Scale numbers stand on the ring turned along it, and upright near the top.
    void dialNumberBoxes()
    {
        const TurnedBox top = dialNumberBox(M_PI / 2, 82, {20, 10});
        QCOMPARE(top.rotation, 0.0);
        QVERIFY(std::abs(top.centre.x()) < 1e-9 && std::abs(top.centre.y() + 82) < 1e-9);
        QCOMPARE(dialNumberBox(M_PI, 82, {20, 10}).rotation, -90.0); // 9 o'clock reads upwards
        // Past a quarter turn from the top it would stand on its head: turned back half a turn.
        QCOMPARE(std::round(dialNumberBox(M_PI * 7 / 6, 82, {20, 10}).rotation), 60.0);
        const std::array<QPointF, 4> c = turnedCorners({QPointF(10, 10), QSizeF(20, 10), 90});
        QVERIFY(QLineF(c[0], QPointF(15, 0)).length() < 1e-9 && QLineF(c[2], QPointF(5, 20)).length() < 1e-9);
        // Boxes side by side meet within the gap and not beyond it; turned ones by their corners.
        QVERIFY(turnedBoxesMeet({QPointF(0, 0), QSizeF(10, 10)}, {QPointF(11, 0), QSizeF(10, 10)}, 2));
        QVERIFY(!turnedBoxesMeet({QPointF(0, 0), QSizeF(10, 10)}, {QPointF(13, 0), QSizeF(10, 10)}, 2));
        QVERIFY(!turnedBoxesMeet({QPointF(0, 0), QSizeF(10, 10), 45}, {QPointF(10, 10), QSizeF(10, 10)}, 1));
        QVERIFY(turnedBoxesMeet({QPointF(0, 0), QSizeF(10, 10), 45}, {QPointF(9, 0), QSizeF(10, 10)}, 0));
    }

    // Which numbers of an 11-number scale over 240 degrees get written, by their size on the ring.
    void dialNumbersWritten_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("readingInTheWay");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("short-numbers-all")
            << QSizeF(20, 12) << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("five-digits-every-second") << QSizeF(34, 12) << false << QList<int>{0, 2, 4, 6, 8, 10};
        QTest::newRow("wider-only-ends-and-middle") << QSizeF(80, 12) << false << QList<int>{0, 5, 10};
        QTest::newRow("reading-takes-the-last") << QSizeF(34, 12) << true << QList<int>{0, 2, 4, 6, 8};
        QTest::newRow("too-wide-for-any") << QSizeF(300, 12) << false << QList<int>{};
    }
    void dialNumbersWritten()
    {
        QFETCH(QSizeF, size);
        QFETCH(bool, readingInTheWay);
        QFETCH(QList<int>, written);
        QList<TurnedBox> numbers;
        for (int i = 0; i <= 10; ++i)
            numbers << dialNumberBox(dialNumberAngle(60, 60, 10, i), 82, size);
        QList<TurnedBox> keepClear;
        if (readingInTheWay)
            keepClear << TurnedBox{QPointF(60, 40), QSizeF(30, 20)};
        QCOMPARE(dialLabelledNumbers(numbers, keepClear, 2), written);
    }

    // A painted dial of every size the environment page gives it writes readable numbers that
    // stand apart from each other, from the title and from the widest reading of its range.
    void dialTextsReadableAndApart_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("top");
        for (int side : {150, 186, 300})
            for (int top : {1100, 5000, 15000})
                QTest::addRow("%d-px-to-%d", side, top) << side << top;
    }
    void dialTextsReadableAndApart()
    {
        QFETCH(int, side);
        QFETCH(int, top);
        DashBoard dial;
        dial.setMaxValue(top);
        dial.setUnits(QStringLiteral("ppm"));
        dial.resize(side, side);
        dial.setValue(double(top)); // the widest reading
        const QList<PaintedText> texts = dial.paintedTexts();
        QVERIFY(texts.size() >= 5); // at least three numbers with the title and the reading
        for (int i = 0; i < texts.size(); ++i) {
            QVERIFY2(texts.at(i).pixelSize >= 8, qPrintable(texts.at(i).text));
            for (int j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts.at(i).outline.intersects(texts.at(j).outline),
                         qPrintable(texts.at(i).text + " meets " + texts.at(j).text));
        }
        QCOMPARE(texts.first().text, QStringLiteral("400")); // the scale's start is written
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

    void thermometerAndRing()
    {
        QCOMPARE((QList<int>{thermoScaleEnd(85), thermoScaleEnd(-35), thermoScaleEnd(-40)}),
                 (QList<int>{80, -30, -40}));
        // A label's tick sits at (i + 0.5) spacings of h / (n + 1) above the bottom: -30 .. 80 has
        // n = 11, so the 20 tick (i = 5) is at 5.5 * 307 / 12.
        QVERIFY(qFuzzyCompare(thermoLiquidHeight(20, -30, 80, 307), 5.5 * 307 / 12));
        QVERIFY(qFuzzyCompare(thermoLiquidHeight(-30, -30, 80, 307), 0.5 * 307 / 12));
        QVERIFY(qFuzzyCompare(ringFillHeight(79, 48.2, 0, 100), 79 * 0.482));
        // min = max + 10 would divide by zero. The ring's text divides the value itself, not its
        // distance from the bottom, by the span; 540 degrees is a full ring.
        QCOMPARE((QList<double>{thermoLiquidHeight(NaN, -30, 80, 307), thermoLiquidHeight(5, 10, 0, 307),
                                ringPercent(75, 50, 100), ringPercent(48.2, 0, 100),
                                ringAngle(25, 0, 100, false), ringAngle(75, 50, 100, true),
                                ringFillHeight(79, 150, 0, 100), ringFillHeight(79, -20, -50, 100)}),
                 (QList<double>{0, 0, 150, 48.2, -90, 360, 79, 0}));
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

    // Renderer names as Mesa and Windows report them: only real GPUs draw the curves.
    void softwareRenderer_data()
    {
        QTest::addColumn<QByteArray>("renderer");
        QTest::addColumn<bool>("software");
        QTest::newRow("mesa-llvmpipe") << QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)") << true;
        QTest::newRow("mesa-softpipe") << QByteArray("softpipe") << true;
        QTest::newRow("mesa-swrast") << QByteArray("Software Rasterizer") << true;
        QTest::newRow("windows-gdi") << QByteArray("GDI Generic") << true;
        QTest::newRow("intel") << QByteArray("Mesa Intel(R) UHD Graphics 620 (KBL GT2)") << false;
        QTest::newRow("nvidia") << QByteArray("NVIDIA GeForce GTX 1060/PCIe/SSE2") << false;
        QTest::newRow("virgl") << QByteArray("virgl (AMD Radeon)") << false;
    }
    void softwareRenderer()
    {
        QFETCH(QByteArray, renderer);
        QFETCH(bool, software);
        QCOMPARE(GaugeMath::isSoftwareRenderer(renderer), software);
    }

    void wavePointsToDraw_data()
    {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QList<QPointF>>("expected");
        const QList<QPointF> r = samples(0, 99);
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

QTEST_MAIN(TestGauges)
#include "tst_gauges.moc"
