// The "Oscilloscope" tab against a pseudo-terminal playing the board.
#include <QCheckBox>
#include <QLineSeries>
#include <QTest>

#include "tests/common/consolerig.h"
#include "widgets/mwaveview.h"

namespace {

QByteArray line(double a, double b, double c, double d)
{
    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n").arg(a).arg(b).arg(c).arg(d).toUtf8();
}

} // namespace

class TestOscilloscopeTab : public QObject
{
    Q_OBJECT
private slots:
    void linesFromTheBoardBecomeSamples()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        QVERIFY(w.OSC_waveView);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(w.Serial_isOpen);

        QVERIFY(rig.send("$0:1.5;$1:-2;$2:3;$3:4;\r\n"));
        QTRY_COMPARE(w.OSC_points[0].size(), 1);
        const QPointF expected[] = {{1, 1.5}, {1, -2}, {1, 3}, {1, 4}};
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(w.OSC_points[n], QList<QPointF>{expected[n]});
            QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH(n)), QList<QPointF>{expected[n]});
        }

        // Half a line waits for its end.
        QVERIFY(rig.send("$0:7;$1:8;"));
        QTRY_COMPARE(w.OSC_rxBuffer.pending(), QByteArray("$0:7;$1:8;"));
        QCOMPARE(w.OSC_points[0].size(), 1);
        QVERIFY(rig.send("$2:9;$3:10;\r\n"));
        QTRY_COMPARE(w.OSC_points[0].size(), 2);
        QCOMPARE(w.OSC_points[3].last(), QPointF(2, 10));

        // Several lines in one write are all kept, in order.
        QVERIFY(rig.send(line(1, 1, 1, 1) + line(2, 2, 2, 2) + line(3, 3, 3, 3)));
        QTRY_COMPARE(w.OSC_points[0].size(), 5);
        QCOMPARE(w.OSC_points[1].mid(2), (QList<QPointF>{{3, 1}, {4, 2}, {5, 3}}));
        QTRY_COMPARE(w.OSC_waveView->channelPoints(WAVE_CH1).size(), 5);

        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(!w.Serial_isOpen);
    }

    void reopeningContinuesTheCurves()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        QPushButton* open = rig.ui->OSCopencompushButton;
        ConsoleRig::press(open);
        QVERIFY(rig.send(line(1, 2, 3, 4) + "$0:5;$1:"));
        QTRY_COMPARE(w.OSC_rxBuffer.pending(), QByteArray("$0:5;$1:"));
        ConsoleRig::press(open);
        QCOMPARE(w.OSC_points[0].size(), 1); // closing keeps the samples

        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(w.OSC_rxBuffer.pending().isEmpty()); // the unfinished line went with the opening
        QVERIFY(rig.send("6;$2:7;$3:8;\r\n" + line(9, 9, 9, 9)));
        // The stale tail is no frame; the next line is the second, drawn once.
        QTRY_COMPARE(w.OSC_points[0].size(), 2);
        QCOMPARE(w.OSC_points[0].last(), QPointF(2, 9));
        ConsoleRig::press(open);
    }

    void channelsKeepTheNewestTwentyThousandPoints()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        QByteArray stream;
        for (int i = 1; i <= 20001; ++i)
            stream += line(i, -i, 0, 0);
        w.readOSCCom(stream.left(stream.size() / 2 + 3)); // cut inside a line
        w.readOSCCom(stream.mid(stream.size() / 2 + 3));
        for (int n = 0; n < 4; ++n)
            QCOMPARE(w.OSC_points[n].size(), 20000);
        QCOMPARE(w.OSC_points[0].first(), QPointF(2, 2));
        QCOMPARE(w.OSC_points[1].last(), QPointF(20001, -20001));
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH0).first(), QPointF(2, 2));
    }

    void hiddenChannelKeepsCollecting()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        QLineSeries* series = w.OSC_waveView->series(WAVE_CH2);
        w.readOSCCom(line(1, 2, 3, 4));
        rig.ui->checkBox_2->setChecked(false);
        QVERIFY(!series->isVisible());
        QVERIFY(w.OSC_waveView->series(WAVE_CH1)->isVisible());
        w.readOSCCom(line(5, 6, 7, 8));
        rig.ui->checkBox_2->setChecked(true);
        QVERIFY(series->isVisible());
        QCOMPARE(w.OSC_waveView->channelPoints(WAVE_CH2), (QList<QPointF>{{1, 3}, {2, 7}}));
    }
};

QTEST_MAIN(TestOscilloscopeTab)
#include "tst_oscilloscope_tab.moc"
