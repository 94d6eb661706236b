// The time-of-flight, spectroscopy and I2C register views, offscreen: where readings land and
// what they paint.
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTest>
#include <QValueAxis>

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
#include "sensors/tof_scale.h"

namespace {

QList<int> ramp(int count, int first = 0)
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values.append(first + i);
    return values;
}

double surfaceHeight(quenlix_tof_surface* surface, int row, int column)
{
    return surface->dataArray->at(row)->at(column).y();
}

QColor pixel(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixelColor(x, y);
}

// Every bar value of the three spectrum charts and every curve value, in one list: a reading that
// lands in the wrong place shows up as a difference anywhere in it. AS7341 bars are at 0..8,
// AS7343 at 9..20, AS7265X at 21..38, the curve at 39..57.
QList<double> snapshot(const quenlix_spectroscopy& view)
{
    QList<double> all;
    for (int type = 0; type < 3; ++type)
        for (QBarSet* set : view.chart(type)->barSets())
            all.append(set->at(0));
    return all + view.curve()->values();
}

} // namespace

class TestSensorViews : public QObject
{
    Q_OBJECT
private slots:
    void tofLabelGridArrangements_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::newRow("4x4") << 0 << 4 << 4;
        QTest::newRow("48x32") << 4 << 32 << 48;
        QTest::newRow("54x42") << 5 << 42 << 54;
        QTest::newRow("unknown-code") << 99 << 8 << 8;
    }
    void tofLabelGridArrangements()
    {
        QFETCH(int, code);
        QFETCH(int, rows);
        QFETCH(int, cols);
        quenlix_tof_data data;
        data.changeArrangement(1);
        data.changeArrangement(code);
        auto* grid = data.findChild<QGridLayout*>(QStringLiteral("gridLayout_tofdata"));
        QCOMPARE(data.labels.size(), rows * cols);
        QCOMPARE(grid->count(), rows * cols); // the previous labels are gone
        QCOMPARE(data.findChildren<QLabel*>().size(), rows * cols);
        // Frame index i sits in row i / cols, column i % cols.
        const int last = rows * cols - 1;
        QCOMPARE(grid->itemAtPosition(last / cols, last % cols)->widget(), data.labels.at(last));
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), data.labels.at(cols));
        data.updateLabelValues(last, 123);
        QCOMPARE(data.labels.at(last)->font().pointSize(), TofScale::labelPointSize(rows * cols));
    }

    // The container's white style sheet must not paint over the label colours, also after a change.
    void tofPagesAndPaintedLabels()
    {
        quenlix_tof view;
        // The console's chart list maps 0 "2D", 1 "3D", 2 "Depth" onto the pages.
        view.change(2);
        QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.heatmap));
        view.change(0);
        QCOMPARE(view.stackedWidget->currentWidget(), static_cast<QWidget*>(view.data));
        view.resize(400, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QList<QLabel*>& labels = view.data->labels;
        view.data->updateLabelValues(0, 1);
        QCOMPARE(pixel(labels.at(0), 2, 2), QColor(0, 0, 0));
        view.data->updateLabelValues(0, 2000);
        view.data->updateLabelValues(1, 1);
        view.data->updateLabelValues(2, 0);
        QCOMPARE(labels.at(0)->text(), QStringLiteral("2000"));
        QCOMPARE(pixel(labels.at(0), 2, 2), QColor(0, 0, 255));
        QCOMPARE(pixel(labels.at(1), 2, 2), QColor(0, 0, 0));
        QCOMPARE(pixel(labels.at(2), 2, 2), QColor(255, 255, 255));
        view.data->range = 2000; // the console sets it directly
        view.data->updateLabelValues(0, 2000);
        QCOMPARE(pixel(labels.at(0), 2, 2), QColor(255, 0, 0));
        // Beyond the grid (a longer frame than labels) or negative: nothing happens.
        view.data->updateLabelValues(16, 5);
        view.data->updateLabelValues(-1, 5);
        QCOMPARE(labels.at(15)->text(), QStringLiteral("0"));
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
        QCOMPARE(qMakePair(map.rows, map.cols), qMakePair(20, 24));
        map.updateData(ramp(2268));
        QCOMPARE(qMakePair(map.rows, map.cols), qMakePair(42, 54));
        map.changeArrangement(32, 48);
        QCOMPARE(map.values, QList<int>(1536, 0));
        // A size below one cell would divide by zero when painting: refused.
        map.changeArrangement(0, 8);
        map.changeArrangement(8, -1);
        QCOMPARE(qMakePair(map.rows, map.cols), qMakePair(32, 48));
    }

    void tofHeatMapPaintsCells()
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

    void tofSurfacePointOrder()
    {
        quenlix_tof_surface surface;
        // Before any rebuild the order is transposed: index 1 raises column 0, row 1.
        surface.updateMultipleDataPoints(surface.points, {0, 500});
        QCOMPARE(surfaceHeight(&surface, 1, 0), 500.0);
        QCOMPARE(surfaceHeight(&surface, 0, 1), 3000.0);
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
    }

    void tofSurfaceHeights()
    {
        quenlix_tof_surface surface;
        surface.changeArrangement(0);
        surface.setYRange(2000);
        surface.updateMultipleDataPoints(surface.points, {2500, 1500, 12, 2000});
        // Row 0 mirrored: indexes 0..3 go to columns 3..0; heights above the range are drawn at it.
        QCOMPARE((QList<double>{surfaceHeight(&surface, 0, 3), surfaceHeight(&surface, 0, 2), surfaceHeight(&surface, 0, 1),
                                surfaceHeight(&surface, 0, 0), surfaceHeight(&surface, 1, 0)}),
                 (QList<double>{2000, 1500, 12, 2000, 3000}));
        // Points outside the grid and values beyond the point list are skipped.
        surface.updateMultipleDataPoints({QPoint(-1, 0), QPoint(4, 0), QPoint(0, 4), QPoint(1, 1)}, {1, 2, 3, 4, 5});
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
        QTest::qWait(20);
    }

    void spectrumRouting_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("chart");
        QTest::addColumn<int>("where"); // snapshot position, -1 for nowhere
        QTest::newRow("as7341-nir") << 8 << 0 << 0 << 8;
        QTest::newRow("as7341-fxl-ignored") << 9 << 0 << 0 << -1;
        QTest::newRow("as7343-fy") << 11 << 1 << 0 << 9 + 11;
        QTest::newRow("as7343-channel-12-ignored") << 12 << 1 << 0 << -1;
        QTest::newRow("as7265x-940nm-bar") << 17 << 2 << 0 << 21 + 17;
        QTest::newRow("as7265x-channel-18-ignored") << 18 << 2 << 0 << -1;
        QTest::newRow("unknown-type-bar-ignored") << 0 << 255 << 0 << -1;
        QTest::newRow("curve-940nm") << 17 << 2 << 1 << 39 + 18;
        QTest::newRow("curve-any-type") << 3 << 0 << 1 << 39 + 4;
        QTest::newRow("curve-channel-18-ignored") << 18 << 2 << 1 << -1;
        QTest::newRow("curve-channel-255-wraps-to-380nm") << 255 << 2 << 1 << 39;
        QTest::newRow("no-chart-selected") << 0 << 0 << 255 << -1;
    }
    void spectrumRouting()
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

    void spectrumBarAxisNeverRescales()
    {
        quenlix_spectroscopy view;
        view.update_data_barset(2, 2.5, 0, 0);
        view.update_data_barset(3, -1.0, 0, 0);
        const auto axes = view.chart(0)->chart()->axes(Qt::Vertical);
        QCOMPARE(axes.size(), 1);
        const auto* axis = qobject_cast<QValueAxis*>(axes.first());
        QCOMPARE(qMakePair(axis->min(), axis->max()), qMakePair(0.0, 1.0));
        QCOMPARE(view.chart(0)->barSets().at(2)->at(0), 2.5);
    }

    void spectrumCurveFollowsValues_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("top"); // y where the fill begins at the 940 nm grid line
        QTest::newRow("full-reaches-top-line") << QSize(570, 460) << 1.0 << 20; // plot 50..550 x 20..420
        QTest::newRow("resized-margins-follow") << QSize(370, 260) << 0.5 << 120;
    }
    void spectrumCurveFollowsValues()
    {
        QFETCH(QSize, size);
        QFETCH(double, value);
        QFETCH(int, top);
        quenlix_spectroscopy_spline curve;
        curve.resize(size);
        const int right = size.width() - 20; // x of the 940 nm line
        const int bottom = size.height() - 40;
        QCOMPARE(pixel(&curve, right - 3, bottom - 3), QColor(Qt::white)); // no fill before a reading
        curve.update_data_barset(18, value);
        const QImage image = curve.grab().toImage();
        // Just left of the 940 nm point: filled below the curve, white above it.
        const QColor fill(image.pixel(right - 2, top + 6));
        QVERIFY2(qAbs(fill.red() - 160) < 12 && qAbs(fill.green() - 160) < 12, qPrintable(fill.name()));
        QCOMPARE(image.pixelColor(right - 2, top - 6), QColor(Qt::white));
        // The 380 nm end of the plot stays empty: the value there is still 0.
        QCOMPARE(image.pixelColor(55, bottom - 5), QColor(Qt::white));
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

    void i2cGridAndAddressList()
    {
        quenlix_i2c_tools tools;
        auto* grid = tools.findChild<QGridLayout*>(QStringLiteral("gridLayout"));
        QCOMPARE(grid->itemAtPosition(0, 0), nullptr);
        const auto text = [&](int row, int column) { return qobject_cast<QLabel*>(grid->itemAtPosition(row, column)->widget())->text(); };
        QCOMPARE((QStringList{text(0, 1), text(0, 11), text(0, 16), text(1, 0), text(11, 0), text(16, 0)}),
                 (QStringList{"00", "0A", "0F", "00", "A0", "F0"}));
        // Register 16 (r - 1) + (c - 1) sits in row r, column c.
        QCOMPARE(tools.valueLabels.size(), 256);
        for (int reg : {0x00, 0x0F, 0x10, 0x5C, 0xFF})
            QCOMPARE(grid->itemAtPosition(reg / 16 + 1, reg % 16 + 1)->widget(), tools.valueLabels.at(reg));

        QComboBox* list = tools.findChild<QComboBox*>(QStringLiteral("comboBox"));
        QCOMPARE(list->count(), 128);
        QCOMPARE(list->itemText(0x7F), QStringLiteral("0x7F"));
        QSignalSpy spy(&tools, &quenlix_i2c_tools::Channge_Addr);
        list->setCurrentIndex(list->findText(QStringLiteral("0x68")));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toInt(), 104);
    }

    void i2cRegisterFrames_data()
    {
        QTest::addColumn<int>("payloadSize");
        QTest::addColumn<int>("updated");
        QTest::newRow("oversized-300-bytes") << 300 << 256;
        QTest::newRow("first-row-only") << 16 << 16;
        QTest::newRow("empty") << 0 << 0;
    }
    void i2cRegisterFrames()
    {
        QFETCH(int, payloadSize);
        QFETCH(int, updated);
        quenlix_i2c_tools tools;
        QByteArray payload;
        for (int i = 0; i < payloadSize; ++i)
            payload.append(char(0xFF - (i & 0xFF)));
        const QByteArray frame = I2cFrame::encode(I2cFrame::Start, payload);
        // Delivered in two uneven chunks, as a serial port would.
        tools.updateValues(frame.left(7));
        tools.updateValues(frame.mid(7));
        for (int reg = 0; reg < 256; ++reg)
            QCOMPARE(tools.valueLabels.at(reg)->text(),
                     reg < updated ? QStringLiteral("%1").arg(0xFF - reg, 2, 16, QLatin1Char('0')).toUpper()
                                   : QStringLiteral("00"));
    }

    void i2cChangeColours()
    {
        quenlix_i2c_tools tools;
        QLabel* label = tools.valueLabels.at(0x42);
        const auto background = [](QLabel* l) { return l->palette().color(QPalette::Window).name(); };
        const auto show = [&](unsigned char value) {
            QByteArray block(256, '\0');
            block[0x42] = char(value);
            tools.updateValues(I2cFrame::encode(I2cFrame::Start, block));
            return background(label);
        };
        // Changing three times in a row: green, pink, green; then unchanged: white.
        QCOMPARE(show(0x01), QStringLiteral("#00cd66"));
        QCOMPARE(show(0x02), QStringLiteral("#ff69b4"));
        QCOMPARE(show(0xAB), QStringLiteral("#00cd66"));
        QCOMPARE(label->text(), QStringLiteral("AB"));
        QCOMPARE(show(0xAB), QStringLiteral("#ffffff"));
        // Cells that never changed turn white on their first update.
        QCOMPARE(background(tools.valueLabels.at(0)), QStringLiteral("#ffffff"));
        tools.updateLabelValues(256, 0x11);
        tools.updateLabelValues(-1, 0x11);
        tools.updateLabelValues(5, 0x0C);
        QCOMPARE(tools.valueLabels.at(5)->text(), QStringLiteral("0C"));
    }

    void i2cRepliesReachSignals()
    {
        quenlix_i2c_tools tools;
        QSignalSpy addresses(&tools, &quenlix_i2c_tools::Get_Addr);
        QSignalSpy data(&tools, &quenlix_i2c_tools::Get_Data);
        QByteArray corrupt = I2cFrame::encode(I2cFrame::Read, QByteArray::fromHex("99"));
        corrupt[corrupt.size() - 1] = 0x00;
        tools.updateValues(QByteArray::fromHex("00ff") + I2cFrame::encode(I2cFrame::Scan, QByteArray::fromHex("3c68")) +
                           corrupt + I2cFrame::encode(I2cFrame::Read, QByteArray::fromHex("0102")));
        QCOMPARE(addresses.size(), 1);
        QCOMPARE(addresses.first().first().toByteArray(), QByteArray::fromHex("3c68"));
        QCOMPARE(data.size(), 1);
        QCOMPARE(data.first().first().toByteArray(), QByteArray::fromHex("0102"));
    }
};

QTEST_MAIN(TestSensorViews)
#include "tst_sensor_views.moc"
