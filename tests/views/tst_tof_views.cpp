#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTest>

#include "sensors/quenlix_3d_imu.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"

namespace {

QList<int> ramp(int count, int first = 0)
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values.append(first + i);
    return values;
}

QGridLayout* labelGrid(quenlix_tof_data* data)
{
    return data->findChild<QGridLayout*>(QStringLiteral("gridLayout_tofdata"));
}

double surfaceHeight(quenlix_tof_surface* surface, int row, int column)
{
    return surface->dataArray->at(row)->at(column).y();
}

} // namespace

class TestTofViews : public QObject
{
    Q_OBJECT
private slots:
    void pagesAndStartState();
    void labelGridArrangements_data();
    void labelGridArrangements();
    void labelValuesAndColours();
    void labelColourIsPainted();
    void heatMapFrameSizes();
    void heatMapPaintsCells();
    void surfacePointOrder();
    void surfaceHeights();
    void threeDViewsDegradeWithoutOpenGl();
};

void TestTofViews::pagesAndStartState()
{
    quenlix_tof view;
    // The console's chart list maps 0 "2D", 1 "3D", 2 "Depth" onto the pages.
    QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.data));
    view.change(1);
    QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.surface));
    view.change(2);
    QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.heatmap));

    QCOMPARE(view.data->labels.size(), 16);
}

void TestTofViews::labelGridArrangements_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("4x4") << 0 << 4 << 4 << 12;
    QTest::newRow("8x8") << 1 << 8 << 8 << 10;
    QTest::newRow("16x16") << 2 << 16 << 16 << 6;
    QTest::newRow("48x32") << 4 << 32 << 48 << 1;
    QTest::newRow("24x20") << 6 << 20 << 24 << 4;
    QTest::newRow("54x42") << 5 << 42 << 54 << 1;
    QTest::newRow("unknown-code") << 99 << 8 << 8 << 10;
}

void TestTofViews::labelGridArrangements()
{
    QFETCH(int, code);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, pointSize);
    quenlix_tof_data data;
    data.changeArrangement(1);
    data.changeArrangement(code);
    QCOMPARE(data.labels.size(), rows * cols);
    QCOMPARE(labelGrid(&data)->count(), rows * cols); // the previous labels are gone
    QCOMPARE(data.findChildren<QLabel*>().size(), rows * cols);
    // Frame index i sits in row i / cols, column i % cols.
    const int last = rows * cols - 1;
    QCOMPARE(labelGrid(&data)->itemAtPosition(last / cols, last % cols)->widget(), data.labels.at(last));
    QCOMPARE(labelGrid(&data)->itemAtPosition(1, 0)->widget(), data.labels.at(cols));
    data.updateLabelValues(last, 123);
    QCOMPARE(data.labels.at(last)->font().pointSize(), pointSize);
    QVERIFY(data.labels.at(last)->font().bold());
}

void TestTofViews::labelValuesAndColours()
{
    quenlix_tof_data data;
    data.changeArrangement(1);
    data.updateLabelValues(3, 2000);
    QLabel* label = data.labels.at(3);
    QCOMPARE(label->text(), QStringLiteral("2000"));
    QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(label->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::white));

    data.range = 2000; // the console sets it directly
    data.updateLabelValues(3, 2000);
    QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
    data.updateLabelValues(3, 0);
    QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 255));
    QVERIFY(label->autoFillBackground());

    // Beyond the grid (a longer frame than labels) or negative: nothing happens.
    data.updateLabelValues(64, 5);
    data.updateLabelValues(-1, 5);
    QCOMPARE(data.labels.at(63)->text(), QStringLiteral("0"));
    QCOMPARE(data.labels.at(0)->text(), QStringLiteral("0"));
}

// The container's white style sheet must not paint over the label colours, also after a change.
void TestTofViews::labelColourIsPainted()
{
    quenlix_tof view;
    view.resize(400, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.data->updateLabelValues(0, 1);
    QCOMPARE(QColor(view.data->labels.at(0)->grab().toImage().pixel(2, 2)), QColor(0, 0, 0));
    view.data->updateLabelValues(0, 2000);
    view.data->updateLabelValues(1, 1);
    view.data->updateLabelValues(2, 0);
    const QImage blue = view.data->labels.at(0)->grab().toImage();
    const QImage black = view.data->labels.at(1)->grab().toImage();
    const QImage white = view.data->labels.at(2)->grab().toImage();
    QCOMPARE(QColor(blue.pixel(2, 2)), QColor(0, 0, 255));
    QCOMPARE(QColor(black.pixel(2, 2)), QColor(0, 0, 0));
    QCOMPARE(QColor(white.pixel(2, 2)), QColor(255, 255, 255));
}

void TestTofViews::heatMapFrameSizes()
{
    quenlix_tof_heatmap map;
    map.updateData(ramp(64, 100));
    QCOMPARE(map.values.value(63), 163);

    // A frame that fits neither the grid nor a known sensor keeps the previous picture.
    map.updateData(ramp(16));
    QCOMPARE(map.rows, 8);
    QCOMPARE(map.values.value(63), 163);

    map.updateData(ramp(480));
    QCOMPARE(map.rows, 20);
    QCOMPARE(map.cols, 24);
    map.updateData(ramp(2268));
    QCOMPARE(map.rows, 42);
    QCOMPARE(map.cols, 54);

    map.changeArrangement(32, 48);
    QCOMPARE(map.values, QList<int>(1536, 0));
    // A size below one cell would divide by zero when painting: refused.
    map.changeArrangement(0, 8);
    map.changeArrangement(8, -1);
    QCOMPARE(map.rows, 32);
    QCOMPARE(map.cols, 48);
}

void TestTofViews::heatMapPaintsCells()
{
    quenlix_tof_heatmap map;
    map.range = 2000;
    map.changeArrangement(4, 4);
    QList<int> frame(16, 0);
    frame[0] = 51;    // dark red
    frame[5] = 2000;  // blue
    frame[15] = 9000; // beyond the range
    map.updateData(frame);
    map.resize(80, 80); // 20 x 20 cells
    const QImage image = map.grab().toImage();
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(180, 0, 0));
    QCOMPARE(QColor(image.pixel(30, 30)), QColor(0, 0, 160));
    QCOMPARE(QColor(image.pixel(70, 70)), QColor(10, 12, 18));
    QCOMPARE(QColor(image.pixel(50, 10)), QColor(10, 12, 18)); // value 0
    // Cell outlines are drawn darker than any cell colour.
    const QColor outline(image.pixel(20, 10));
    QVERIFY2(outline.red() < 60 && outline.green() < 20, qPrintable(outline.name()));
}

void TestTofViews::surfacePointOrder()
{
    quenlix_tof_surface surface;
    // Before any rebuild the order is transposed: index 1 raises column 0, row 1.
    surface.updateMultipleDataPoints(surface.points, {0, 500});
    QCOMPARE(surfaceHeight(&surface, 1, 0), 500.0);
    QCOMPARE(surfaceHeight(&surface, 0, 1), 3000.0);

    surface.changeArrangement(1);
    QCOMPARE(surfaceHeight(&surface, 0, 6), 3000.0);
    surface.updateMultipleDataPoints(surface.points, {0, 500});
    QCOMPARE(surfaceHeight(&surface, 0, 6), 500.0);
    QCOMPARE(surfaceHeight(&surface, 0, 7), 0.0);

    surface.changeArrangement(4);
    QCOMPARE(surface.dataArray->size(), 32);
    QCOMPARE(surface.dataArray->at(0)->size(), 48);
    QCOMPARE(surface.points.size(), 1536);
    QCOMPARE(surface.series->dataProxy()->rowCount(), 32);
    QCOMPARE(surface.series->dataProxy()->columnCount(), 48);
    // Item positions are (column, height, row).
    const QVector3D item = surface.dataArray->at(31)->at(47).position();
    QCOMPARE(item, QVector3D(47, 3000, 31));
}

void TestTofViews::surfaceHeights()
{
    quenlix_tof_surface surface;
    surface.changeArrangement(0);
    surface.setYRange(2000);
    QCOMPARE(surface.yRange, 2000);
    surface.updateMultipleDataPoints(surface.points, {2500, 1500, 12, 2000});
    // Row 0 mirrored: indexes 0..3 go to columns 3..0; heights above the range are drawn at it.
    QCOMPARE(surfaceHeight(&surface, 0, 3), 2000.0);
    QCOMPARE(surfaceHeight(&surface, 0, 2), 1500.0);
    QCOMPARE(surfaceHeight(&surface, 0, 1), 12.0);
    QCOMPARE(surfaceHeight(&surface, 0, 0), 2000.0);
    QCOMPARE(surfaceHeight(&surface, 1, 0), 3000.0);

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
void TestTofViews::threeDViewsDegradeWithoutOpenGl()
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
    QTest::qWait(20);
}

QTEST_MAIN(TestTofViews)
#include "tst_tof_views.moc"
