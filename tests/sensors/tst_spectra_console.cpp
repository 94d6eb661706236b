// The "Spectra" tab against a pseudo-terminal playing the spectral sensor board.
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QStackedWidget>

#include "tests/common/consolerig.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"

namespace {

double bar(MainWindow& w, int type, int channel)
{
    return w.Spectra_view->chart(type)->barSets().at(channel)->at(0);
}

} // namespace

class TestSpectraConsole : public QObject
{
    Q_OBJECT
private slots:
    void readingsReachTheCharts()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        ConsoleRig::press(ui->SpectraopencompushButton);
        QVERIFY(w.Serial_isOpen);

        // AS7341: FXL has no bar there and is dropped.
        rig.write("F1:500\r\nFXL:100\r\n");
        QTRY_COMPARE(bar(w, 0, 0), 0.5);
        // A reading split over two reads, the line end split as well.
        rig.write("F2:12");
        QTRY_VERIFY(!w.Spectra_rxText.isEmpty());
        rig.write("34\r");
        QTRY_VERIFY(w.Spectra_rxText.pending().endsWith(QLatin1Char('\r')));
        rig.write("\n");
        QTRY_COMPARE(bar(w, 0, 1), 1.234);

        ui->SpectraYPEcomboBox->setCurrentIndex(1);
        QCOMPARE(w.Spectra_view->stackedWidget()->currentIndex(), 1);
        rig.write("F9:700\r\n");
        QTRY_COMPARE(bar(w, 1, 8), 0.7);

        ui->SpectraYPEcomboBox->setCurrentIndex(2);
        QCOMPARE(ui->SpectraportChartComboBox->count(), 2);
        ui->SpectraportChartComboBox->setCurrentIndex(1);
        QCOMPARE(w.Spectra_view->stackedWidget()->currentIndex(), 3);
        rig.write("F1:250\r\n");
        QTRY_COMPARE(w.Spectra_view->curve()->values().at(1), 0.25);
        QCOMPARE(w.Spectra_view->curve()->values().at(0), 0.0);

        // Back to the AS7341: its page, and a chart list of bars only.
        ui->SpectraYPEcomboBox->setCurrentIndex(0);
        QCOMPARE(w.Spectra_view->stackedWidget()->currentIndex(), 0);
        QCOMPARE(ui->SpectraportChartComboBox->count(), 1);
        QCOMPARE(ui->SpectraportChartComboBox->currentText(), QStringLiteral("Bar Chart"));
    }

    void logShowsRawLines()
    {
        ConsoleRig rig;
        Ui_MainWindow* ui = rig.ui;
        QVERIFY(ui->Spectra_textEdit->isHidden());
        ConsoleRig::press(ui->SpectraopencompushButton);
        ui->SpectracheckBox->setChecked(true);
        QVERIFY(!ui->Spectra_textEdit->isHidden());
        ui->SpectracheckBox->setChecked(false);
        // Lines keep coming into the hidden log; blank lines are not logged.
        rig.write("F1:1\r\n\r\nF2:2\r\nF3:3\r\n");
        QTRY_COMPARE(ui->Spectra_textEdit->toPlainText(), QStringLiteral("F1:1\nF2:2\nF3:3"));
        ui->SpectracheckBox->setChecked(true);
        QVERIFY(!ui->Spectra_textEdit->isHidden());
        rig.write("F4:");
        QTRY_VERIFY(!rig.w->Spectra_rxBuffer.isEmpty());
        ConsoleRig::press(ui->Spectra_pushButton_Clear_Log);
        QCOMPARE(ui->Spectra_textEdit->toPlainText(), QString());
        QVERIFY(rig.w->Spectra_rxBuffer.isEmpty());
    }
};

QTEST_MAIN(TestSpectraConsole)
#include "tst_spectra_console.moc"
