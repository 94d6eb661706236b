// The sensor tabs against a pseudo-terminal playing the board, and the CIE 1931 diagram widget.
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QTextBlock>

#include <functional>

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
#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/logview.h"
#include "widgets/mwaveview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

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

QStringList imuLabels(const Ui_MainWindow* ui)
{
    QStringList texts;
    for (const QLabel* l : {ui->label_imu_x, ui->label_imu_y, ui->label_imu_z, ui->label_imu_euler_w,
                            ui->label_imu_euler_x, ui->label_imu_euler_y, ui->label_imu_euler_z})
        texts << l->text();
    return texts;
}

const QStringList atRest{"0.00", "0.00", "0.00", "1.00", "0.00", "0.00", "0.00"};

QByteArray oscLine(double a, double b, double c, double d)
{
    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n").arg(a).arg(b).arg(c).arg(d).toUtf8();
}

} // namespace

class TestSensorConsoles : public QObject
{
    Q_OBJECT
private slots:
    void environmentGaugesAndLogFollowTheBoard()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        QCOMPARE(rig.ui->ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(rig.send("Temperature:25.30C\r\nHumidity:48.20%\r\n"));
        QTRY_COMPARE(w.ENV_humidityGauge->getValue(), 48); // the ring shows whole percent
        QCOMPARE(w.ENV_temperatureGauge->getValue(), 25.3);

        QVERIFY(rig.send("Temperature:-3.2C\r\nCO2:612ppm\r\n"));
        QTRY_COMPARE(w.ENV_co2Gauge->getValue(), 612.0);

        // The dials keep to their ranges.
        QVERIFY(rig.send("Ultraviolet:7\r\nCO2:350ppm\r\nBarometer:101325Pa\r\nTVOC:12ppb\r\n"));
        QTRY_COMPARE(w.ENV_tvocGauge->getValue(), 12.0);
        QCOMPARE(w.ENV_ultravioletGauge->getValue(), 7.0);
        QCOMPARE(w.ENV_co2Gauge->getValue(), 400.0);
        QCOMPARE(w.ENV_barometerGauge->getValue(), 1100.0);

        // The clear button empties the log, not a waiting line.
        QPlainTextEdit* log = rig.ui->ENV_StrTextBrowser;
        QVERIFY(rig.send("Humidity:4"));
        QTRY_COMPARE(w.ENV_rxBuffer.pending(), QByteArray("Humidity:4"));
        ConsoleRig::press(rig.ui->EVN_Clear_pushButton);
        QVERIFY(log->toPlainText().isEmpty());
        QVERIFY(rig.send("0%\r\n"));
        QTRY_COMPARE(w.ENV_humidityGauge->getValue(), 40);
        // GBK text of no known key is logged all the same, also when a character is cut.
        QVERIFY(rig.send("\xCE\xC2"));
        QTRY_VERIFY(!w.ENV_rxBuffer.pending().isEmpty());
        QVERIFY(rig.send("\xB6\xC8 ok\r\n"));
        QTRY_COMPARE(log->toPlainText(), QString::fromUtf8("0%\n温度 ok\n"));

        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        QCOMPARE(w.ENV_temperatureGauge->getValue(), -3.2); // closing keeps the last readings
    }

    void environmentLogIsBounded()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        QPlainTextEdit* log = rig.ui->ENV_StrTextBrowser;
        for (int i = 0; i < 150; ++i)
            w.readENVCom(QStringLiteral("line %1\r\n").arg(i).toUtf8());
        LogView::of(log)->flush();
        QCOMPARE(log->blockCount(), 100);
        QCOMPARE(log->document()->lastBlock().previous().text(), QStringLiteral("line 149"));
        // A board that never ends its line: the log and the waiting line stay bounded.
        for (int i = 0; i < 20; ++i)
            w.readENVCom(QByteArray(64 * 1024, 'x'));
        QVERIFY(LogView::of(log)->text().size() <= LogView::budget * 3 / 2 + LogView::lineWidth);
        QVERIFY(w.ENV_rxBuffer.pending().size() <= 64 * 1024);
        w.readENVCom("\r\nCO2:900ppm\r\n");
        QTRY_COMPARE(w.ENV_co2Gauge->getValue(), 900.0);
    }

    void imuLabelsShowEveryOtherFrame()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        QCOMPARE(rig.ui->imubaudRateComboBox->currentText(), QStringLiteral("115200"));
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(rig.send("W:1.0, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(imuLabels(rig.ui), atRest);

        // The second frame leaves the numbers; a line that is no frame does not count.
        QVERIFY(rig.send("W:0.7071068, X:0.7071068, Y:0, Z:0\r\nW:1;X:0;Y:0;Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        QCOMPARE(imuLabels(rig.ui), atRest);

        // The third shows, a quarter turn about Z (the toolkit's roll, on "Yaw:").
        QVERIFY(rig.send("W:0.7071068, X:0, Y:0, Z:-0.7071068\r\n"));
        QTRY_COMPARE(imuLabels(rig.ui),
                     (QStringList{"0.00", "0.00", "-90.00", "0.71", "0.00", "0.00", "-0.71"}));

        // Reopening starts the count again: the first frame after it shows.
        QVERIFY(rig.send("W:0.5, X:0.5, Y:0.5, Z:0.5\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        ConsoleRig::press(rig.ui->imuopencompushButton);
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(rig.send("W:1, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 1);
        QTRY_COMPARE(imuLabels(rig.ui), atRest);
        ConsoleRig::press(rig.ui->imuopencompushButton);
    }

    // Every frame of a chunk counts; the labels show the newest frame due for them.
    void imuEveryFrameOfAChunkCounts()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        w.readimuCom("W:1, X:0, Y:0, Z:0\r\nW:0.5, X:0.5, Y:0.5, Z:0.5\r\nW:0.8660254, X:0.5");
        QCOMPARE(w.IMU_frameToggle, 0);
        QTRY_COMPARE(imuLabels(rig.ui), atRest);
        w.readimuCom("000, Y:0, Z:0\r\n");
        QCOMPARE(w.IMU_frameToggle, 1);
        QTRY_COMPARE(imuLabels(rig.ui),
                     (QStringList{"60.00", "0.00", "0.00", "0.87", "0.50", "0.00", "0.00"}));
    }

    void oscilloscopeLinesBecomeSamples()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(rig.send("$0:1.5;$1:-2;$2:3;$3:4;\r\n"));
        QTRY_COMPARE(w.OSC_points[0].size(), 1);
        const QPointF expected[] = {{1, 1.5}, {1, -2}, {1, 3}, {1, 4}};
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(w.OSC_points[n], QList<QPointF>{expected[n]});
            QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH(n)), QList<QPointF>{expected[n]});
        }
        // Several lines in one write are all kept, in order.
        QVERIFY(rig.send(oscLine(1, 1, 1, 1) + oscLine(2, 2, 2, 2) + oscLine(3, 3, 3, 3)));
        QTRY_COMPARE(w.OSC_points[0].size(), 4);
        QCOMPARE(w.OSC_points[1].mid(1), (QList<QPointF>{{2, 1}, {3, 2}, {4, 3}}));
        QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH1).size(), 4);

        // Closing and reopening keep the samples: a later opening continues the curves.
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(rig.send(oscLine(9, 9, 9, 9)));
        QTRY_COMPARE(w.OSC_points[0].size(), 5);
        QCOMPARE(w.OSC_points[0].last(), QPointF(5, 9));
        ConsoleRig::press(rig.ui->OSCopencompushButton);
    }

    void oscilloscopeKeepsTheNewestPointsAndHiddenChannels()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        rig.ui->checkBox_2->setChecked(false);
        QVERIFY(!w.OSC_waveView->series(WAVE_CH2)->isVisible());
        QVERIFY(w.OSC_waveView->series(WAVE_CH1)->isVisible());
        QByteArray stream;
        for (int i = 1; i <= 20001; ++i)
            stream += oscLine(i, -i, i, 0);
        w.readOSCCom(stream.left(stream.size() / 2 + 3)); // cut inside a line
        w.readOSCCom(stream.mid(stream.size() / 2 + 3));
        for (int n = 0; n < 4; ++n)
            QCOMPARE(w.OSC_points[n].size(), 20000);
        QCOMPARE(w.OSC_points[0].first(), QPointF(2, 2));
        QCOMPARE(w.OSC_points[1].last(), QPointF(20001, -20001));
        QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH0).first(), QPointF(2, 2));
        // A hidden channel keeps collecting.
        rig.ui->checkBox_2->setChecked(true);
        QVERIFY(w.OSC_waveView->series(WAVE_CH2)->isVisible());
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH2).last(), QPointF(20001, 20001));
    }

    void cieDiagramPointAndBox()
    {
        quenlix_cieplot plot;
        QVERIFY(plot.renderer->isValid());
        plot.resize(800, 900); // 1000 px per unit of x and y
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
        rig.send("CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n");
        QTRY_COMPARE(plot->pointX, 0.587309);
        QCOMPARE(plot->pointY, 0.424433);
        QCOMPARE(plot->lux, 682.496);
        QCOMPARE(plot->cct, 1763.247393);
    }

    // Every tab with a receive buffer empties it when it opens the port again.
    void reopeningForgetsAHalfLine_data()
    {
        QTest::addColumn<QString>("tab");
        for (const char* tab : {"cie", "tof", "spectra", "oscilloscope", "imu"})
            QTest::newRow(tab) << QString::fromLatin1(tab);
    }
    void reopeningForgetsAHalfLine()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        QFETCH(QString, tab);
        const QMap<QString, std::pair<QPushButton*, std::function<bool()>>> tabs = {
            {"cie", {rig.ui->CIEopencompushButton, [&] { return w.CIE_rxText.isEmpty(); }}},
            {"tof", {rig.ui->TOFopencompushButton, [&] { return w.TOF_rxText.isEmpty(); }}},
            {"spectra", {rig.ui->SpectraopencompushButton, [&] { return w.Spectra_rxText.isEmpty(); }}},
            {"oscilloscope", {rig.ui->OSCopencompushButton, [&] { return w.OSC_rxBuffer.isEmpty(); }}},
            {"imu", {rig.ui->imuopencompushButton, [&] { return w.IMU_rxBuffer.isEmpty(); }}}};
        const auto [open, empty] = tabs.value(tab);
        ConsoleRig::press(open);
        rig.send("CIEX:0.7;9,9,9,");
        QTRY_VERIFY(!empty());
        ConsoleRig::press(open);
        QVERIFY(!w.Serial_isOpen);
        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(empty());
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
        rig.send(I2cFrame::encode(I2cFrame::Start, hex("11 22 33")));
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
        rig.send(hex("00 51") + reply.left(4));
        QCoreApplication::processEvents();
        rig.send(reply.mid(4));
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
        rig.send(I2cFrame::encode(I2cFrame::Read, hex("01 AB")));
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
        // AS7341: FXL has no bar there and is dropped.
        rig.send("F1:500\r\nFXL:100\r\nF2:1234\r\n");
        QTRY_COMPARE(bar(w, 0, 1), 1.234);
        QCOMPARE(bar(w, 0, 0), 0.5);

        ui->SpectraYPEcomboBox->setCurrentIndex(1);
        QCOMPARE(w.Spectra_view->stackedWidget()->currentIndex(), 1);
        rig.send("F9:700\r\n");
        QTRY_COMPARE(bar(w, 1, 8), 0.7);

        ui->SpectraYPEcomboBox->setCurrentIndex(2);
        QCOMPARE(ui->SpectraportChartComboBox->count(), 2);
        ui->SpectraportChartComboBox->setCurrentIndex(1);
        QCOMPARE(w.Spectra_view->stackedWidget()->currentIndex(), 3);
        rig.send("F1:250\r\n");
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
        rig.send("F1:1\r\n\r\nF2:2\r\nF4:");
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
        rig.send(ramp(16, 1) + "\r\n" + ramp(16, 101) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 4), (QStringList{"104", "103", "102", "101"}));
        // The 8 x 8 heat map ignores a 16-value frame until the arrangement is applied.
        QCOMPARE(w.TOF_view->heatmap->values.size(), 64);
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 0);

        rig.ui->TOFArrangementcomboBox->setCurrentText("8x8");
        QCOMPARE(w.TOF_view->data->labels.size(), 64);
        rig.send(ramp(64, 1000) + "\r\n");
        QTRY_COMPARE(tofLabels(w, 2), (QStringList{"1007", "1006"}));
        QCOMPARE(w.TOF_view->heatmap->values.at(0), 1007);
        QCOMPARE(w.TOF_view->heatmap->values.at(63), 1056);
        // A frame with a count outside the accepted set changes nothing.
        rig.send(ramp(65, 1) + "\r\n" + ramp(64, 2000) + "\r\n");
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
        rig.send(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        // A range change clears the filter history and rebuilds every view with the new range.
        ui->TOFRangeComboBox->setCurrentText("12000");
        QCOMPARE(w.TOF_filterState[0], 0);
        QCOMPARE(
            (QList<int>{w.TOF_view->data->range, w.TOF_view->heatmap->range, w.TOF_view->surface->yRange}),
            QList<int>(3, 12000));
        rig.send(frame);
        QTRY_COMPARE(w.TOF_filterState[0], 2000);
        ui->TOFFilterComboBox->setCurrentIndex(0); // the filter list only clears the history
        QCOMPARE(w.TOF_filterState[0], 0);
        QTRY_COMPARE(w.TOF_view->data->labels.at(0)->text(), QStringLiteral("2000"));
        ui->TOFChartComboBox->setCurrentIndex(2);
        QCOMPARE(w.TOF_view->stackedWidget->currentIndex(), 2);
    }
};

QTEST_MAIN(TestSensorConsoles)
#include "tst_sensor_consoles.moc"
