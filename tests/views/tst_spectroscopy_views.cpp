#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QStackedWidget>
#include <QTest>
#include <QValueAxis>

#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"

namespace {

// Every bar value of the three charts and every curve value, in one list: a reading that lands in
// the wrong place shows up as a difference anywhere in it.
QList<double> snapshot(const quenlix_spectroscopy& view)
{
    QList<double> all;
    for (int type = 0; type < 3; ++type)
        for (QBarSet* set : view.chart(type)->barSets())
            all.append(set->at(0));
    all.append(view.curve()->values());
    return all;
}

// Position in the snapshot: AS7341 bars 0..8, AS7343 9..20, AS7265X 21..38, curve 39..57.
int slot(int type, int index)
{
    const int offsets[] = {0, 9, 21, 39};
    return offsets[type] + index;
}

bool isWhite(QRgb pixel)
{
    return QColor(pixel) == QColor(Qt::white);
}

} // namespace

class TestSpectroscopyViews : public QObject
{
    Q_OBJECT
private slots:
    void startState();
    void routing_data();
    void routing();
    void barAxisNeverRescales();
    void curveFollowsValues_data();
    void curveFollowsValues();
    void curveListsStayPaired();
};

void TestSpectroscopyViews::startState()
{
    quenlix_spectroscopy view;
    QCOMPARE(view.stackedWidget()->count(), 4);
    QCOMPARE(view.stackedWidget()->currentIndex(), 0);
    QCOMPARE(view.stackedWidget()->widget(0), static_cast<QWidget*>(view.chart(0)->chartView()));
    QCOMPARE(view.stackedWidget()->widget(3), static_cast<QWidget*>(view.curve()));
    QCOMPARE(snapshot(view), QList<double>(58, 0.0));
    view.change(3);
    QCOMPARE(view.stackedWidget()->currentIndex(), 3);
}

void TestSpectroscopyViews::routing_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("chart");
    QTest::addColumn<int>("where"); // snapshot position, -1 for nowhere

    QTest::newRow("as7341-f1") << 0 << 0 << 0 << slot(0, 0);
    QTest::newRow("as7341-nir") << 8 << 0 << 0 << slot(0, 8);
    QTest::newRow("as7341-fxl-ignored") << 9 << 0 << 0 << -1;
    QTest::newRow("as7343-nir") << 8 << 1 << 0 << slot(1, 8);
    QTest::newRow("as7343-fy") << 11 << 1 << 0 << slot(1, 11);
    QTest::newRow("as7343-channel-12-ignored") << 12 << 1 << 0 << -1;
    QTest::newRow("as7265x-940nm-bar") << 17 << 2 << 0 << slot(2, 17);
    QTest::newRow("as7265x-channel-18-ignored") << 18 << 2 << 0 << -1;
    QTest::newRow("unknown-type-bar-ignored") << 0 << 255 << 0 << -1;
    QTest::newRow("curve-410nm") << 0 << 2 << 1 << slot(3, 1);
    QTest::newRow("curve-940nm") << 17 << 2 << 1 << slot(3, 18);
    QTest::newRow("curve-any-type") << 3 << 0 << 1 << slot(3, 4);
    QTest::newRow("curve-channel-18-ignored") << 18 << 2 << 1 << -1;
    QTest::newRow("curve-channel-255-wraps-to-380nm") << 255 << 2 << 1 << slot(3, 0);
    QTest::newRow("no-chart-selected") << 0 << 0 << 255 << -1;
}

void TestSpectroscopyViews::routing()
{
    QFETCH(int, channel);
    QFETCH(int, type);
    QFETCH(int, chart);
    QFETCH(int, where);
    quenlix_spectroscopy view;
    view.update_data_barset(uchar(channel), 0.3, uchar(type), uchar(chart));
    QList<double> expected(58, 0.0);
    if (where >= 0)
        expected[where] = 0.3;
    QCOMPARE(snapshot(view), expected);
}

void TestSpectroscopyViews::barAxisNeverRescales()
{
    quenlix_spectroscopy view;
    view.update_data_barset(2, 2.5, 0, 0);
    view.update_data_barset(3, -1.0, 0, 0);
    const auto axes = view.chart(0)->chart()->axes(Qt::Vertical);
    QCOMPARE(axes.size(), 1);
    const auto* axis = qobject_cast<QValueAxis*>(axes.first());
    QVERIFY(axis);
    QCOMPARE(axis->min(), 0.0);
    QCOMPARE(axis->max(), 1.0);
    QCOMPARE(view.chart(0)->barSets().at(2)->at(0), 2.5);
}

void TestSpectroscopyViews::curveFollowsValues_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("top"); // y where the fill begins at the 940 nm grid line
    // 570 x 460: plot 50..550 x 20..420.
    QTest::newRow("full-reaches-top-line") << QSize(570, 460) << 1.0 << 20;
    QTest::newRow("half-lies-half-way") << QSize(570, 460) << 0.5 << 220;
    QTest::newRow("resized-margins-follow") << QSize(370, 260) << 0.5 << 120;
}

void TestSpectroscopyViews::curveFollowsValues()
{
    QFETCH(QSize, size);
    QFETCH(double, value);
    QFETCH(int, top);
    quenlix_spectroscopy_spline curve;
    curve.resize(size);

    // Before any reading: grid only, no fill between the grid lines.
    QImage image = curve.grab().toImage();
    const int right = size.width() - 20; // x of the 940 nm line
    const int bottom = size.height() - 40;
    QVERIFY(isWhite(image.pixel(right - 3, bottom - 3)));

    curve.update_data_barset(18, value);
    image = curve.grab().toImage();
    // Just left of the 940 nm point: filled below the curve, white above it.
    const QColor fill(image.pixel(right - 2, top + 6));
    QVERIFY2(!isWhite(fill.rgb()), qPrintable(fill.name()));
    QVERIFY2(qAbs(fill.red() - 160) < 12 && qAbs(fill.green() - 160) < 12, qPrintable(fill.name()));
    QVERIFY(isWhite(image.pixel(right - 2, top - 6)));
    // The 380 nm end of the plot stays empty: the value there is still 0.
    QVERIFY(isWhite(image.pixel(55, bottom - 5)));
}

void TestSpectroscopyViews::curveListsStayPaired()
{
    quenlix_spectroscopy_spline curve;
    QList<double> eighteen(18, 0.5);
    curve.updateSpectrumData(eighteen);
    QCOMPARE(curve.values(), QList<double>(19, 0.0));
    curve.setSpectrumData(eighteen);
    QCOMPARE(curve.values(), QList<double>(19, 0.0));
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

QTEST_MAIN(TestSpectroscopyViews)
#include "tst_spectroscopy_views.moc"
