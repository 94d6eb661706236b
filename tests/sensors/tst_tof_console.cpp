// The "TOF" tab against a pseudo-terminal playing the sensor board.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>

#include "tests/common/consolerig.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"

namespace {

QByteArray ramp(int count, int first)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += QByteArray::number(first + i) + ',';
    return line;
}

QStringList labelTexts(const quenlix_tof_data* data, int count)
{
    QStringList texts;
    for (int i = 0; i < count && i < data->labels.size(); ++i)
        texts << data->labels.at(i)->text();
    return texts;
}

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

} // namespace

class TestTofConsole : public QObject
{
    Q_OBJECT
private slots:
    void framesReachAllThreeViews()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);

        // A frame split over two reads, then a second one in the same chunk as its end.
        rig.write(ramp(16, 1).left(20));
        QCoreApplication::processEvents();
        QCOMPARE(labelTexts(w.TOF_view->data, 1), QStringList{"0"});
        rig.write(ramp(16, 1).mid(20) + "\r\n" + ramp(16, 101) + "\r\n");
        QTRY_COMPARE(labelTexts(w.TOF_view->data, 4), (QStringList{"104", "103", "102", "101"}));
        // The heat map still has its 8 x 8 cells: a 16-value frame leaves it alone until the
        // arrangement is applied.
        QCOMPARE(w.TOF_view->heatmap->values.size(), 64);
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 0);

        // Choosing 8x8 rebuilds the views; a 64-value frame then fills the heat map too.
        rig.ui->TOFArrangementcomboBox->setCurrentText("8x8");
        QCOMPARE(w.TOF_view->data->labels.size(), 64);
        rig.write(ramp(64, 1000) + "\r\n");
        QTRY_COMPARE(labelTexts(w.TOF_view->data, 2), (QStringList{"1007", "1006"}));
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 1007);
        QCOMPARE(w.TOF_view->heatmap->values.at(63), 1056);
        // A frame with a count outside the accepted set changes nothing.
        rig.write(ramp(65, 1) + "\r\n" + ramp(64, 2000) + "\r\n");
        QTRY_COMPARE(labelTexts(w.TOF_view->data, 1), QStringList{"2007"});
    }

    void typeRangeAndFilter()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        QVERIFY(ui->TOFFilterComboBox->isHidden());
        ui->TOFTYPEcomboBox->setCurrentIndex(2);
        QCOMPARE(items(ui->TOFArrangementcomboBox), (QStringList{"8x8", "16x16", "32x32", "48x32"}));
        ui->TOFTYPEcomboBox->setCurrentIndex(3);
        QCOMPARE(items(ui->TOFArrangementcomboBox), (QStringList{"54x42", "24x20"}));
        QVERIFY(!ui->TOFFilterComboBox->isHidden());
        QCOMPARE(w.TOF_view->data->labels.size(), 2268);
        QCOMPARE(w.TOF_view->heatmap->rows, 42);
        QCOMPARE(w.TOF_view->heatmap->cols, 54);

        ConsoleRig::press(ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QByteArray frame;
        for (int i = 0; i < 2268; ++i)
            frame += "2000,";
        rig.write(frame + "\r\n");
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        // A range change clears the filter history and rebuilds every view with the new range.
        ui->TOFRangeComboBox->setCurrentText("12000");
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(w.TOF_view->data->range, 12000);
        QCOMPARE(w.TOF_view->heatmap->range, 12000);
        QCOMPARE(w.TOF_view->surface->yRange, 12000);
        rig.write(frame + "\r\n");
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        ui->TOFFilterComboBox->setCurrentIndex(0); // the filter list only clears the history
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(w.TOF_view->data->labels.at(0)->text(), QStringLiteral("2000"));

        ui->TOFChartComboBox->setCurrentIndex(2);
        QCOMPARE(w.TOF_view->stackedWidget->currentIndex(), 2);
        QCOMPARE(ui->TOF_StrTextBrowser->toPlainText(), QString());
    }

    void reopeningDropsAHalfLine()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        rig.write("9,9,9,9,");
        QTRY_VERIFY(!w.TOF_rxText.isEmpty());
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(w.TOF_rxText.isEmpty());
        rig.write(ramp(16, 1) + "\r\n");
        QTRY_COMPARE(labelTexts(w.TOF_view->data, 4), (QStringList{"4", "3", "2", "1"}));
    }
};

QTEST_MAIN(TestTofConsole)
#include "tst_tof_console.moc"
