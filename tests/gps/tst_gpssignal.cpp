// The satellite worker as a real thread: hand-over, hand-shake, dropping and stopping.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "gps/gpssignal.h"

namespace {

QByteArray sealed(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

void give(GPS_Signal& worker, const QByteArray& sentence)
{
    QByteArray copy = sentence; // the worker must copy: the text dies after the call
    worker.Get_Data(copy.data());
    copy.fill('#');
}

// Stops and joins the worker whatever happens in the test.
struct Running
{
    GPS_Signal& worker;
    explicit Running(GPS_Signal& w) : worker(w) { worker.start(); }
    ~Running()
    {
        worker.stop();
        worker.wait(2000);
    }
};

} // namespace

class TestGpsSignal : public QObject
{
    Q_OBJECT
private slots:
    void decodesOnceASecondArrives()
    {
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        Running run(worker);
        give(worker, sealed("GPGSV,3,1,12,05,45,120,38,12,30,200,40,15,60,45,,25,10,300,22"));
        QTest::qWait(300); // one sentence alone is never decoded
        QCOMPARE(results.size(), 0);
        give(worker, sealed("GPGSV,3,3,10,07,20,90,33,11,05,10,29"));
        QTRY_COMPARE(results.size(), 1);
        const auto* r = worker.records();
        QCOMPARE(results.at(0).at(0).value<nmea_slmsg*>(), r);
        const int expected[4][5] = {
            {5, 45, 120, 38, 1}, {12, 30, 200, 40, 1}, {15, 60, 45, 0, 1}, {25, 10, 300, 22, 1}};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(int(r[k].prn), expected[k][0]);
            QCOMPARE(int(r[k].elevation), expected[k][1]);
            QCOMPARE(int(r[k].azimuth), expected[k][2]);
            QCOMPARE(int(r[k].snr), expected[k][3]);
            QCOMPARE(int(r[k].constellation), expected[k][4]);
        }
        // Not released: the next sentence waits even with two in the queue.
        give(worker, sealed("GLGSV,1,1,01,70,20,90,33"));
        QTest::qWait(300);
        QCOMPARE(results.size(), 1);
        QVERIFY(worker.isWaiting());
        worker.Wait_Data(false);
        QTRY_COMPARE(results.size(), 2);
        QCOMPARE(int(worker.records()[0].prn), 7);
        QCOMPARE(int(worker.records()[2].constellation), 0);
        QCOMPARE(worker.queueSize(), 1);
    }

    void dropsAtFiftyOneWhileWaiting()
    {
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        Running run(worker);
        const QByteArray s = sealed("GPGSV,1,1,01,07,20,90,33");
        give(worker, s);
        give(worker, s);
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(worker.queueSize(), 1);
        while (worker.queueSize() < 50)
            give(worker, s);
        QTest::qWait(300);
        QCOMPARE(worker.queueSize(), 50); // fifty wait
        give(worker, s);
        QTRY_COMPARE(worker.queueSize(), 0); // the fifty-first empties the queue
        QCOMPARE(results.size(), 1);
    }

    void hardCapWithoutThread()
    {
        GPS_Signal worker; // never started: the queue still stays bounded
        const QByteArray s = sealed("GPGSV,1,1,01,07,20,90,33");
        for (int i = 0; i < GPS_Signal::hardCap + 5; ++i)
            give(worker, s);
        QVERIFY(worker.queueSize() <= GPS_Signal::hardCap);
        worker.Get_Data(nullptr); // a null text queues an empty entry
        QVERIFY(worker.queueSize() >= 1);
    }

    void stopEndsRunPromptly_data()
    {
        QTest::addColumn<bool>("waiting");
        QTest::newRow("idle") << false;
        QTest::newRow("waiting-for-gui") << true;
    }
    void stopEndsRunPromptly()
    {
        QFETCH(bool, waiting);
        GPS_Signal worker;
        QSignalSpy results(&worker, &GPS_Signal::ReturnResult);
        worker.start();
        if (waiting) {
            give(worker, sealed("GPGSV,1,1,01,07,20,90,33"));
            give(worker, sealed("GPGSV,1,1,01,07,20,90,33"));
            QTRY_COMPARE(results.size(), 1);
        }
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        worker.stop();
        worker.quit();
        QVERIFY(worker.wait(1000));
        QVERIFY(clock.elapsed() < 200);
    }

    void stoppedBeforeStartReturnsAtOnce()
    {
        GPS_Signal worker;
        worker.stop();
        worker.start();
        QVERIFY(worker.wait(500));
    }

    void fieldReading()
    {
        const QByteArray s = sealed("GPGSV,3,1,12,05,45,120,38");
        QCOMPARE(GPS_Signal::GPS_calculation_value_double(s.constData(), 7), 38.0);
        QCOMPARE(GPS_Signal::GPS_calculation_value_double(s.constData(), 8), 0.0);
        QCOMPARE(GPS_Signal::GPS_calculation_value_double("$GPGSV,12.5", 1), 12.5);
    }
};

QTEST_GUILESS_MAIN(TestGpsSignal)
#include "tst_gpssignal.moc"
