// The painted gauges and the waveform view, offscreen: how the gauges take values they should not
// show (where they draw them is the gauge arithmetic's test), and the waveform view driven as the
// oscilloscope console and the user drive it.
#include <QApplication>
#include <QChart>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>
#include <limits>
#include <memory>

#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/mwaveview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

QImage render(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

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

class TestGaugeWidgets : public QObject
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
        QVERIFY(!render(dial).isNull());
    }

    void thermometerAnimatesToTarget()
    {
        CThermometer t;
        t.setValue(0.0);
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
        QCOMPARE(t.getValue(), 21.5);
        t.setPrecision(0); // 10 / 0 minor steps
        QCOMPARE(t.getPrecision(), 2);
        // An inverted scale draws no ticks but must still paint.
        t.setMinValue(90);
        t.resize(200, 400);
        QVERIFY(!render(t).isNull());
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

    void uvDiscAndSun()
    {
        Ultraviolet uv;
        QSignalSpy changed(&uv, &Ultraviolet::valueChanged);
        uv.setValue(500);
        uv.setValue(500); // no equality check: emitted each time
        QCOMPARE(changed.count(), 2);
    }

    void xAxisFollowsTheData_data()
    {
        QTest::addColumn<int>("lastX");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::newRow("below-window") << 40 << 0.0 << 50.0;
        QTest::newRow("past-window") << 80 << 30.0 << 80.0;
    }
    void xAxisFollowsTheData()
    {
        QFETCH(int, lastX);
        QFETCH(double, lower);
        QFETCH(double, upper);
        view->addSeriesData(WAVE_CH0, samples(1, lastX));
        QTRY_COMPARE(xRange(), qMakePair(lower, upper));
        QCOMPARE(yRange(), qMakePair(-25.0, 25.0)); // the Y axis is not touched
        // Only the window (and one neighbour) is handed to the curve.
        QTRY_VERIFY(view->series(WAVE_CH0)->count() > 0);
        QVERIFY(view->series(WAVE_CH0)->count() <= 52);
        QCOMPARE(view->series(WAVE_CH0)->points().constLast(), QPointF(lastX, std::sin(lastX * 0.1) * 10));
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
        // The pointer's value coordinates in the tool tip.
        const QStringList parts = QToolTip::text().mid(1).chopped(1).split(',');
        QCOMPARE(parts.size(), 2);
        const QPointF value = view->chart()->mapToValue(from - QPoint(100, 0));
        QVERIFY(qAbs(parts.at(0).toDouble() - value.x()) < 0.2);
        QVERIFY(qAbs(parts.at(1).toDouble() - value.y()) < 0.2);

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
};

QTEST_MAIN(TestGaugeWidgets)
#include "tst_gauge_widgets.moc"
