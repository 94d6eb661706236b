// The Environment, IMU and Oscilloscope tabs against a pseudo-terminal playing the board.
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "tests/common/consolerig.h"
#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/logview.h"
#include "widgets/mwaveview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

namespace {

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

        // A key cut in the middle, and an unfinished line behind a finished one: both arrive whole.
        QVERIFY(rig.send("Humi"));
        QTRY_COMPARE(w.ENV_rxBuffer.pending(), QByteArray("Humi"));
        QVERIFY(rig.send("dity:55.5%\r\nTemperature:-3.2C\r\nCO2:6"));
        QTRY_COMPARE(w.ENV_temperatureGauge->getValue(), -3.2);
        QVERIFY(rig.send("12ppm\r\n"));
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
        QCOMPARE(w.ENV_co2Gauge->getValue(), 900.0);
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

        // The third shows, a quarter turn about Z (the toolkit's roll, on "Yaw:"), in two pieces.
        QVERIFY(rig.send("W:0.7071068, X:0, "));
        QTRY_COMPARE(w.IMU_rxBuffer.pending(), QByteArray("W:0.7071068, X:0, "));
        QVERIFY(rig.send("Y:0, Z:-0.7071068\r\n"));
        QTRY_COMPARE(imuLabels(rig.ui),
                     (QStringList{"0.00", "0.00", "-90.00", "0.71", "0.00", "0.00", "-0.71"}));

        // Reopening drops a waiting line and starts the count again: the first frame after it shows.
        QVERIFY(rig.send("W:0.5, X:0.5, Y:0.5, Z:0.5\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(rig.send("W:0.2"));
        QCoreApplication::processEvents();
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(w.IMU_rxBuffer.pending().isEmpty());
        QVERIFY(rig.send("W:1, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 1);
        QCOMPARE(imuLabels(rig.ui), atRest);
        ConsoleRig::press(rig.ui->imuopencompushButton);
    }

    void imuEveryFrameOfAChunkCounts()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        w.readimuCom("W:1, X:0, Y:0, Z:0\r\nW:0.5, X:0.5, Y:0.5, Z:0.5\r\nW:0.8660254, X:0.5");
        QCOMPARE(w.IMU_frameToggle, 0);
        QCOMPARE(imuLabels(rig.ui), atRest);
        w.readimuCom("000, Y:0, Z:0\r\n");
        QCOMPARE(w.IMU_frameToggle, 1);
        QCOMPARE(imuLabels(rig.ui), (QStringList{"60.00", "0.00", "0.00", "0.87", "0.50", "0.00", "0.00"}));
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
            QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH(n)), QList<QPointF>{expected[n]});
        }
        // Several lines in one write are all kept, in order.
        QVERIFY(rig.send(oscLine(1, 1, 1, 1) + oscLine(2, 2, 2, 2) + oscLine(3, 3, 3, 3)));
        QTRY_COMPARE(w.OSC_points[0].size(), 4);
        QCOMPARE(w.OSC_points[1].mid(1), (QList<QPointF>{{2, 1}, {3, 2}, {4, 3}}));
        QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH1).size(), 4);

        // An unfinished line waits; closing keeps the samples, reopening drops the stale tail.
        QVERIFY(rig.send("$0:5;$1:"));
        QTRY_COMPARE(w.OSC_rxBuffer.pending(), QByteArray("$0:5;$1:"));
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QCOMPARE(w.OSC_points[0].size(), 4);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(w.OSC_rxBuffer.pending().isEmpty());
        QVERIFY(rig.send("6;$2:7;$3:8;\r\n" + oscLine(9, 9, 9, 9)));
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
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH0).first(), QPointF(2, 2));
        // A hidden channel keeps collecting.
        rig.ui->checkBox_2->setChecked(true);
        QVERIFY(w.OSC_waveView->series(WAVE_CH2)->isVisible());
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH2).last(), QPointF(20001, 20001));
    }
};

QTEST_MAIN(TestSensorConsoles)
#include "tst_console_tabs.moc"
