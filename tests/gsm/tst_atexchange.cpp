// AT transactions against a pseudo-terminal playing the modem.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

#include "gsm/atexchange.h"
#include "tests/common/ptypair.h"

namespace {

struct Rig
{
    PtyPair pty;
    QSerialPort port;
    bool portGone = false;
    int pauses = 0;
    AtExchange at{[this]() -> QSerialPort* { return portGone ? nullptr : &port; },
                  [this](int ms) {
                      ++pauses;
                      QTest::qWait(ms);
                  }};
    Rig()
    {
        port.setPortName(pty.slavePath());
        port.open(QIODevice::ReadWrite);
    }
};

} // namespace

class TestAtExchange : public QObject
{
    Q_OBJECT
private slots:
    void commandReachesModemAndReplyEndsWait()
    {
        Rig rig;
        QVERIFY(rig.port.isOpen());
        QVERIFY(rig.at.send("AT+CSQ\r\n"));
        QCOMPARE(rig.pty.read(8), QByteArray("AT+CSQ\r\n"));
        QTimer::singleShot(250, [&] { rig.pty.write("\r\n+CSQ: 20,0\r\n\r\nOK\r\n"); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.waitFor(11, 100, {"OK\r\n", "ERROR\r\n"}), 0);
        QVERIFY(clock.elapsed() < 800);
        QVERIFY(rig.pauses >= 2);
    }

    void tokensAreTestedInTheirOrder()
    {
        Rig rig;
        rig.pty.write("\r\nERROR\r\n\r\nOK\r\n");
        QCOMPARE(rig.at.waitFor(5, 20, {"OK\r\n", "ERROR\r\n"}), 0);
    }

    void eachReadStandsAlone()
    {
        // "OK" split across two reads matches in neither.
        Rig rig;
        QTimer::singleShot(30, [&] { rig.pty.write("\r\nO"); });
        QTimer::singleShot(130, [&] { rig.pty.write("K\r\n"); });
        QCOMPARE(rig.at.waitFor(5, 50, {"OK\r\n"}), -1);
    }

    void readEndsAtZeroByte()
    {
        Rig rig;
        rig.pty.write(QByteArray("\r\n\0\r\nOK\r\n", 9));
        QCOMPARE(rig.at.waitFor(3, 30, {"OK\r\n"}), -1);
    }

    void silentModemTimesOutAfterAllPolls()
    {
        Rig rig;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.poll(5, 40, [](const QByteArray&) { return false; }), AtExchange::Result::TimedOut);
        QCOMPARE(rig.pauses, 5);
        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(!rig.at.portLost());
    }

    void portGoneDuringPauseEndsAtOnce()
    {
        Rig rig;
        QTimer::singleShot(150, [&] {
            rig.port.close();
            rig.portGone = true;
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.poll(50, 100, [](const QByteArray&) { return false; }), AtExchange::Result::PortLost);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(rig.at.portLost());
        QVERIFY(!rig.at.send("AT\r\n"));
        QVERIFY(rig.at.read().isEmpty());
    }

    void floodIsCutToNewestBytes()
    {
        Rig rig;
        const QByteArray flood = QByteArray(100 * 1024, 'x') + "\r\nOK\r\n";
        for (int done = 0; done < flood.size(); done += 1024) {
            QCOMPARE(rig.pty.write(flood.mid(done, 1024)), qint64(qMin(1024, int(flood.size()) - done)));
            QTest::qWait(1);
        }
        QTRY_COMPARE(rig.port.bytesAvailable(), qint64(flood.size()));
        const QByteArray got = rig.at.read();
        QCOMPARE(got.size(), AtExchange::readLimit);
        QVERIFY(got.endsWith("x\r\nOK\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestAtExchange)
#include "tst_atexchange.moc"
