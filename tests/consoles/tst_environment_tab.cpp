// The "Environment" tab against a pseudo-terminal playing the sensor board.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "tests/common/consolerig.h"
#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

class TestEnvironmentTab : public QObject
{
    Q_OBJECT
private slots:
    void gaugesFollowTheBoard()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        QCOMPARE(rig.ui->ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(w.Serial_isOpen);

        QVERIFY(rig.send("Temperature:25.30C\r\nHumidity:48.20%\r\n"));
        QTRY_COMPARE(w.ENV_humidityGauge->getValue(), 48); // the ring shows whole percent
        QCOMPARE(w.ENV_temperatureGauge->getValue(), 25.3);
        QVERIFY(w.ENV_rxBuffer.pending().isEmpty());

        // A key cut in the middle, and an unfinished line behind a finished one: both arrive whole.
        QVERIFY(rig.send("Humi"));
        QTRY_COMPARE(w.ENV_rxBuffer.pending(), QByteArray("Humi"));
        QVERIFY(rig.send("dity:55.5%\r\nTemperature:-3.2C\r\nCO2:6"));
        QTRY_COMPARE(w.ENV_temperatureGauge->getValue(), -3.2);
        QCOMPARE(w.ENV_humidityGauge->getValue(), 55);
        QVERIFY(rig.send("12ppm\r\n"));
        QTRY_COMPARE(w.ENV_co2Gauge->getValue(), 612.0);

        // The dials keep to their ranges; a value that is no number reads 0.
        QVERIFY(rig.send("Ultraviolet:7\r\nCO2:350ppm\r\nBarometer:101325Pa\r\nTVOC:12ppb\r\n"));
        QTRY_COMPARE(w.ENV_tvocGauge->getValue(), 12.0);
        QCOMPARE(w.ENV_ultravioletGauge->getValue(), 7.0);
        QCOMPARE(w.ENV_co2Gauge->getValue(), 400.0);
        QCOMPARE(w.ENV_barometerGauge->getValue(), 1100.0);
        QVERIFY(rig.send("Barometer:1013.25Pa\r\nUltraviolet:--\r\n"));
        QTRY_COMPARE(w.ENV_ultravioletGauge->getValue(), 0.0);
        QCOMPARE(w.ENV_barometerGauge->getValue(), 0.0);

        // Closing leaves the last readings on the gauges.
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        QCOMPARE(w.ENV_temperatureGauge->getValue(), -3.2);
    }

    void logShowsTheTextAsItCame()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        QPlainTextEdit* log = rig.ui->ENV_StrTextBrowser;
        QVERIFY(log->isReadOnly());
        ConsoleRig::press(rig.ui->ENVopencompushButton);
        // GBK text of no known key is shown all the same, also when a character is cut.
        QVERIFY(rig.send("\xCE\xC2"));
        QTRY_VERIFY(!w.ENV_rxBuffer.pending().isEmpty());
        QVERIFY(rig.send("\xB6\xC8 ok\r\nTemperature:20.5C\r\n"));
        QTRY_COMPARE(log->toPlainText(), QString::fromUtf8("温度 ok\nTemperature:20.5C\n"));
        QCOMPARE(log->textCursor().position(), log->document()->characterCount() - 1);

        // The clear button empties the log, not a waiting line.
        QVERIFY(rig.send("Humidity:4"));
        QTRY_COMPARE(w.ENV_rxBuffer.pending(), QByteArray("Humidity:4"));
        ConsoleRig::press(rig.ui->EVN_Clear_pushButton);
        QVERIFY(log->toPlainText().isEmpty());
        QVERIFY(rig.send("0%\r\n"));
        QTRY_COMPARE(w.ENV_humidityGauge->getValue(), 40);
        QTRY_COMPARE(log->toPlainText(), QStringLiteral("0%\n"));
        ConsoleRig::press(rig.ui->ENVopencompushButton);
    }

    void logIsBounded()
    {
        ConsoleRig rig("Environment");
        MainWindow& w = *rig.w;
        QPlainTextEdit* log = rig.ui->ENV_StrTextBrowser;
        for (int i = 0; i < 150; ++i)
            w.readENVCom(QStringLiteral("line %1\r\n").arg(i).toUtf8());
        QCOMPARE(log->blockCount(), 100);
        QCOMPARE(log->document()->lastBlock().previous().text(), QStringLiteral("line 149"));
        // A board that never ends its line: the log and the waiting line stay bounded.
        const QByteArray noise(64 * 1024, 'x');
        for (int i = 0; i < 20; ++i)
            w.readENVCom(noise);
        QVERIFY(log->document()->characterCount() <= MainWindow::ENV_logMaxChars);
        QVERIFY(w.ENV_rxBuffer.pending().size() <= 64 * 1024);
        w.readENVCom("\r\nCO2:900ppm\r\n");
        QCOMPARE(w.ENV_co2Gauge->getValue(), 900.0);
    }
};

QTEST_MAIN(TestEnvironmentTab)
#include "tst_environment_tab.moc"
