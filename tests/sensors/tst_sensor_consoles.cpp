// The sensor tabs against a pseudo-terminal playing the board (colour, spectral, I2C adapter and
// time-of-flight), and the CIE 1931 diagram widget on its own.
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QSvgRenderer>

#include "sensors/i2cdump_dialogs_form.h"
#include "sensors/i2cframe.h"
#include "sensors/quenlix_cie_widget.h"
#include "sensors/quenlix_cieplot.h"
#include "sensors/quenlix_i2c_tools.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_spectroscopy_squarediagram.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "tests/common/consolerig.h"
#include "tests/common/modalanswer.h"

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray ramp(int count, int first)
{
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += QByteArray::number(first + i) + ',';
    return line;
}

QStringList tofLabels(MainWindow& w, int count)
{
    QStringList texts;
    for (int i = 0; i < count && i < w.TOF_view->data->labels.size(); ++i)
        texts << w.TOF_view->data->labels.at(i)->text();
    return texts;
}

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

double bar(MainWindow& w, int type, int channel)
{
    return w.Spectra_view->chart(type)->barSets().at(channel)->at(0);
}

QString i2cLog(Ui_MainWindow* ui)
{
    return ui->i2cdump_StrTextBrowser->toPlainText().remove(QLatin1Char('\r'));
}

} // namespace

class TestSensorConsoles : public QObject
{
    Q_OBJECT
private slots:
    void cieDiagramPointAndBox()
    {
        quenlix_cieplot plot;
        QVERIFY(plot.renderer->isValid());
        plot.resize(800, 900); // 1000 px per unit of x and y
        const QImage image = plot.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto at = [&](double x, double y) { return image.pixel(plot.cieToPixel(x, y).toPoint()); };
        // Green at the top left, reddish at the right, blue at the bottom (off the 0.1 grid lines).
        QVERIFY(qGreen(at(0.22, 0.68)) > 200 && qRed(at(0.22, 0.68)) < 120);
        QVERIFY(qRed(at(0.62, 0.34)) > 200 && qBlue(at(0.62, 0.34)) < 120);
        QVERIFY(qBlue(at(0.16, 0.04)) > 200 && qGreen(at(0.16, 0.04)) < 120);
        // Below the line of purples and left of the blue end: the white page.
        QCOMPARE(at(0.68, 0.12), qRgb(255, 255, 255));
        QCOMPARE(at(0.04, 0.22), qRgb(255, 255, 255));

        const auto red = [&](QPointF p) {
            const QRgb c = plot.grab().toImage().pixel(p.toPoint());
            return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
        };
        QVERIFY(!plot.valueBoxRect().isValid()); // no point before the first reading
        plot.plotPoint(0.587309, 0.424433, 682.496, 1763.247393);
        QCOMPARE(plot.valueText(), QStringLiteral("x=0.587\ny=0.424\nLux:682.5\nCCT:1763K"));
        const QPointF p = plot.cieToPixel(0.587309, 0.424433);
        QCOMPARE(p, QPointF(0.587309 / 0.8 * 800, 900 - 0.424433 / 0.9 * 900));
        QVERIFY(red(p));
        QCOMPARE(plot.valueBoxRect().left(), qRound(p.x()) + 8);
        // Off the right edge the box ends at W - 5; near the top it moves down to top 5.
        plot.plotPoint(0.95, 0.3, 1, 1);
        QCOMPARE(plot.valueBoxRect().right(), 800 - 5);
        plot.plotPoint(0.3, 0.899, 1, 1);
        QCOMPARE(plot.valueBoxRect().top(), 5);
        // An unreadable y hides the point.
        plot.plotPoint(0.3, -1.0, 0, -1);
        QVERIFY(!plot.valueBoxRect().isValid());
        QVERIFY(!red(plot.cieToPixel(0.3, 0.3)));
        // Without area there is no position at all.
        plot.setMinimumSize(0, 0);
        plot.resize(0, 10);
        QCOMPARE(plot.cieToPixel(0.3, 0.3), QPointF(-1, -1));
        plot.plotPoint(0.3, 0.3, 0, 0);
        QVERIFY(!plot.valueBoxRect().isValid());
    }

    void cieManualEntry()
    {
        quenlix_cie_widget widget;
        auto* plotButton = widget.findChild<QPushButton*>("plotButton");
        QVERIFY(plotButton && plotButton->isHidden());
        const auto edit = [&](const char* name) { return widget.findChild<QLineEdit*>(name); };
        edit("xLineEdit")->setText("0.31");
        edit("yLineEdit")->setText("0.33");
        edit("luxLineEdit")->setText("bright");
        plotButton->click();
        QCOMPARE(QPointF(widget.plot->pointX, widget.plot->pointY), QPointF(0.31, 0.33));
        QCOMPARE(widget.plot->lux, 0.0);
        edit("yLineEdit")->setText("");
        ModalAnswer answer("OK");
        plotButton->click();
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QString::fromUtf8("输入错误"));
        QCOMPARE(answer.text(), QString::fromUtf8("请输入有效的 CIE x 和 CIE y 值。"));
        QCOMPARE(widget.plot->pointY, 0.33);
    }

    void cieReadingsMarkThePlot()
    {
        ConsoleRig rig;
        quenlix_cieplot* plot = rig.w->CIE_widget->plot;
        QCOMPARE(plot->pointX, -1.0); // nothing marked before the first reading
        ConsoleRig::press(rig.ui->CIEopencompushButton);
        QVERIFY(rig.w->Serial_isOpen);
        rig.write("CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n");
        QTRY_COMPARE(plot->pointX, 0.587309);
        QCOMPARE(plot->pointY, 0.424433);
        QCOMPARE(plot->lux, 682.496);
        QCOMPARE(plot->cct, 1763.247393);
    }

    void reopeningForgetsAHalfLine_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("cie") << 0;
        QTest::newRow("tof") << 1;
        QTest::newRow("spectra") << 2;
    }
    void reopeningForgetsAHalfLine()
    {
        QFETCH(int, tab);
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        QPushButton* open = QList<QPushButton*>{rig.ui->CIEopencompushButton, rig.ui->TOFopencompushButton,
                                                rig.ui->SpectraopencompushButton}[tab];
        const LineAssembler& rx =
            *QList<LineAssembler*>{&w.CIE_rxText, &w.TOF_rxText, &w.Spectra_rxText}[tab];
        ConsoleRig::press(open);
        rig.write("CIEX:0.7;9,9,9,");
        QTRY_VERIFY(!rx.isEmpty());
        ConsoleRig::press(open);
        QVERIFY(!w.Serial_isOpen);
        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(rx.isEmpty());
    }

    void i2cdumpStartStopScanAndAddress()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        QPushButton* startStop = ui->i2cdump_stop_pushButton;
        QPushButton* scan = ui->i2cdumpsancfpushButton;
        QCOMPARE(startStop->text(), QStringLiteral("Start"));
        for (QPushButton* b : {startStop, scan, ui->i2cdumpreadpushButton, ui->i2cdumpwritepushButton})
            QVERIFY(!b->isEnabled());
        w.I2CdumpactionScanf_triggered(); // no port: dropped
        QVERIFY(rig.drain().isEmpty());

        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(w.Serial_isOpen && scan->isEnabled() && startStop->isEnabled());
        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 02 00 01 ff ff"));
        QCOMPARE(startStop->text(), QStringLiteral("Stop"));
        QVERIFY(!scan->isEnabled() && !ui->i2cdumpreadpushButton->isEnabled());
        // While started, register blocks fill the grid.
        rig.write(I2cFrame::encode(I2cFrame::Start, hex("11 22 33")));
        QTRY_COMPARE(w.I2Cdump_tools->valueLabels.at(2)->text(), QStringLiteral("33"));

        // Closing while started sends nothing and leaves "Stop"; after reopening it stops the adapter.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(!startStop->isEnabled());
        QCOMPARE(startStop->text(), QStringLiteral("Stop"));
        QVERIFY(rig.drain().isEmpty());
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(scan->isEnabled() && startStop->isEnabled());
        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 00 00 01 ff ff"));
        QCOMPARE(startStop->text(), QStringLiteral("Start"));

        w.I2Cdump_tools->findChild<QComboBox*>("comboBox")->setCurrentText("0x68");
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 03 00 01 68 68"));
        ConsoleRig::press(scan);
        QCOMPARE(rig.read(7).toHex(' '), QByteArray("51 55 01 00 01 ff ff"));
        // The reply arrives with noise before it and split in two.
        const QByteArray reply = I2cFrame::encode(I2cFrame::Scan, hex("3C 68"));
        rig.write(hex("00 51") + reply.left(4));
        QCoreApplication::processEvents();
        rig.write(reply.mid(4));
        QTRY_COMPARE(i2cLog(ui), QStringLiteral("Searching for I2C devices on the bus:\n0x3c, 0x68, \n"));
        ConsoleRig::press(ui->i2cdump_Clear_pushButton);
        QCOMPARE(i2cLog(ui), QString());
    }

    void i2cdumpReadAndWriteDialogs()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(ui->i2cdumpreadpushButton);
        ConsoleRig::press(ui->i2cdumpreadpushButton);
        QCOMPARE(w.findChildren<QDialog*>("I2CDump_ReadREG").size(), 1);
        QCOMPARE(w.I2Cdump_readUi->length_comboBox->itemText(255), QStringLiteral("0xFF"));
        w.I2Cdump_readUi->reg_comboBox->setCurrentIndex(0xF8);
        w.I2Cdump_readUi->length_comboBox->setCurrentIndex(16);
        ConsoleRig::press(w.I2Cdump_readUi->read_pushButton);
        QCOMPARE(rig.read(8).toHex(' '), QByteArray("51 55 05 00 02 f8 10 08"));
        // The reply comes after the dialog was closed: printed with the register asked for.
        ConsoleRig::press(w.I2Cdump_readUi->I2CDump_ReadREGCancel);
        QTRY_VERIFY(!w.I2Cdump_readOpen);
        QVERIFY(w.I2Cdump_readUi == nullptr);
        rig.write(I2cFrame::encode(I2cFrame::Read, hex("01 AB")));
        QTRY_COMPARE(i2cLog(ui), QStringLiteral("Reg addr 0xf8: 0x01, 0xab, \n"));

        ConsoleRig::press(ui->i2cdumpwritepushButton);
        QVERIFY(w.I2Cdump_writeOpen);
        QLineEdit* bytes = w.I2Cdump_writeUi->lineEdit;
        w.I2Cdump_writeUi->reg_comboBox->setCurrentIndex(5);
        bytes->setText("0x12,0xab");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QCOMPARE(rig.read(9).toHex(' '), QByteArray("51 55 04 00 03 05 12 ab c2"));
        // A malformed list and one byte more than the adapter holds are refused with a warning.
        const QString tooMany = QStringLiteral("0x01") + QStringLiteral(",0x01").repeated(505);
        for (const auto& [text, warning] :
             {std::pair{QStringLiteral("0x12,"),
                        QStringLiteral("Invalid input format. Please enter the correct "
                                       "format (e.g., 0x01,0x34,0xab)")},
              std::pair{tooMany, QStringLiteral("Too many bytes: at most 505 can be written at once.")}}) {
            bytes->setText(text);
            ModalAnswer answer("OK");
            ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
            QCOMPARE(answer.title(), QStringLiteral("Warning"));
            QCOMPARE(answer.text(), warning);
        }
        QVERIFY(rig.drain().isEmpty());

        // With the port held by another tab, the dialog's frames stay off that tab's device.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        bytes->setText("0x01");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QVERIFY(rig.drain().isEmpty());
    }

    void spectraReadingsReachTheCharts()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        ConsoleRig::press(ui->SpectraopencompushButton);
        QVERIFY(w.Serial_isOpen);
        // AS7341: FXL has no bar there and is dropped; a reading split over two reads.
        rig.write("F1:500\r\nFXL:100\r\nF2:12");
        QTRY_COMPARE(bar(w, 0, 0), 0.5);
        rig.write("34\r\n");
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
        QCOMPARE(items(ui->SpectraportChartComboBox), QStringList{"Bar Chart"});

        // The raw log fills while hidden, without blank lines; its button clears the half line too.
        ui->SpectracheckBox->setChecked(true);
        QVERIFY(!ui->Spectra_textEdit->isHidden());
        ui->SpectracheckBox->setChecked(false);
        QVERIFY(ui->Spectra_textEdit->isHidden());
        rig.write("F1:1\r\n\r\nF2:2\r\nF4:");
        QTRY_VERIFY(ui->Spectra_textEdit->toPlainText().endsWith(QStringLiteral("F1:250\nF1:1\nF2:2")));
        QTRY_VERIFY(!w.Spectra_rxBuffer.isEmpty());
        ConsoleRig::press(ui->Spectra_pushButton_Clear_Log);
        QCOMPARE(ui->Spectra_textEdit->toPlainText(), QString());
        QVERIFY(w.Spectra_rxBuffer.isEmpty());
    }

    void tofFramesReachAllThreeViews()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QCOMPARE(tofLabels(w, 1), QStringList{"0"});
        rig.write(ramp(16, 1) + "\r\n" + ramp(16, 101) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 4), (QStringList{"104", "103", "102", "101"}));
        // The 8 x 8 heat map ignores a 16-value frame until the arrangement is applied.
        QCOMPARE(w.TOF_view->heatmap->values.size(), 64);
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 0);

        rig.ui->TOFArrangementcomboBox->setCurrentText("8x8");
        QCOMPARE(w.TOF_view->data->labels.size(), 64);
        rig.write(ramp(64, 1000) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 2), (QStringList{"1007", "1006"}));
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 1007);
        QCOMPARE(w.TOF_view->heatmap->values.at(63), 1056);
        // A frame with a count outside the accepted set changes nothing.
        rig.write(ramp(65, 1) + "\r\n" + ramp(64, 2000) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 1), QStringList{"2007"});
    }

    void tofTypeRangeAndFilter()
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
        QCOMPARE(QSize(w.TOF_view->heatmap->cols, w.TOF_view->heatmap->rows), QSize(54, 42));

        ConsoleRig::press(ui->TOFopencompushButton);
        const QByteArray frame = QByteArray("2000,").repeated(2268) + "\r\n";
        rig.write(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        // A range change clears the filter history and rebuilds every view with the new range.
        ui->TOFRangeComboBox->setCurrentText("12000");
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(
            (QList<int>{w.TOF_view->data->range, w.TOF_view->heatmap->range, w.TOF_view->surface->yRange}),
            QList<int>(3, 12000));
        rig.write(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        ui->TOFFilterComboBox->setCurrentIndex(0); // the filter list only clears the history
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(w.TOF_view->data->labels.at(0)->text(), QStringLiteral("2000"));
        ui->TOFChartComboBox->setCurrentIndex(2);
        QCOMPARE(w.TOF_view->stackedWidget->currentIndex(), 2);
    }
};

QTEST_MAIN(TestSensorConsoles)
#include "tst_sensor_consoles.moc"
