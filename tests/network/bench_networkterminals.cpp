// UDP and TCP terminals under load from peers on their own threads. Prints the
// worst lateness of a 10 ms probe timer on the GUI thread, the counters and
// resident memory. PLAX_BENCH_SECONDS sets the load time (default 10; the
// keep-sending run lasts six times as long).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "tests/common/freeport.h"
#include "tests/common/testhome.h"

namespace {

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

int seconds()
{
    return qEnvironmentVariableIsSet("PLAX_BENCH_SECONDS")
               ? qEnvironmentVariableIntValue("PLAX_BENCH_SECONDS")
               : 10;
}

// Measures how late a 10 ms timer fires while `body` waits in the event loop.
struct Probe
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    Probe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            worst = qMax(worst, clock.elapsed() - last - 10);
            last = clock.elapsed();
        });
        clock.start();
        timer.start(10);
    }
};

sockaddr_in loopback(quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

} // namespace

class BenchNetworkTerminals : public QObject
{
    Q_OBJECT
private slots:
    void udpFlood()
    {
        TestHome home;
        MainWindow w;
        w.show();
        const quint16 port = freeUdpPort();
        w.ui->UDPSenderPortlineEdit->setText(QString::number(port));
        w.ui->UDP_HEXcheckBox->setChecked(true);
        w.UDPopencompushButton_triggered();
        QVERIFY(w.UDP_isOpen);
        QTest::qWait(1000); // the window's own start-up work is not measured
        std::atomic<bool> stop{false};
        std::atomic<qint64> sent{0};
        std::thread sender([&] {
            const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
            const sockaddr_in to = loopback(port);
            QElapsedTimer clock;
            clock.start();
            while (!stop) {
                while (sent < clock.elapsed() * 20) // 20,000 datagrams per second
                    if (::sendto(fd, "0123456789abcdef", 16, 0, reinterpret_cast<const sockaddr*>(&to),
                                 sizeof to) == 16)
                        ++sent;
                usleep(1000);
            }
            ::close(fd);
        });
        Probe probe;
        const qint64 before = residentKb();
        QTest::qWait(seconds() * 1000);
        stop = true;
        sender.join();
        QTest::qWait(500);
        qInfo("udp-flood: %lld datagrams sent in %d s, counter %d, worst probe lateness %lld ms, RSS %lld -> "
              "%lld kB",
              qint64(sent), seconds(), w.ui->UDPrecvbyteslcdNumber->intValue(), probe.worst, before,
              residentKb());
        // Datagrams the system dropped before the terminal read them are not its loss.
        QVERIFY(w.ui->UDPrecvbyteslcdNumber->intValue() > 0);
    }

    void tcpStream()
    {
        TestHome home;
        MainWindow w;
        w.show();
        const quint16 port = freeTcpPort();
        w.ui->TCPServerPortlineEdit->setText(QString::number(port));
        w.ui->TCP_HEXcheckBox->setChecked(true);
        w.TCPopencompushButton_triggered();
        QVERIFY(w.TCP_isOpen);
        QTest::qWait(1000); // the window's own start-up work is not measured
        std::atomic<bool> stop{false};
        std::atomic<qint64> sent{0};
        std::thread client([&] {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            const sockaddr_in to = loopback(port);
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
                return;
            const QByteArray block(64 * 1024, 'S');
            while (!stop) {
                const ssize_t n = ::send(fd, block.constData(), size_t(block.size()), MSG_DONTWAIT);
                if (n > 0)
                    sent += n;
                else
                    usleep(1000);
            }
            ::close(fd);
        });
        Probe probe;
        QList<qint64> memory;
        for (int s = 0; s < seconds(); ++s) {
            QTest::qWait(1000);
            memory << residentKb();
        }
        stop = true;
        client.join();
        QStringList m;
        for (qint64 kb : memory)
            m << QString::number(kb);
        qInfo("tcp-stream: %lld bytes in %d s, counter %d, worst probe lateness %lld ms, RSS kB %s",
              qint64(sent), seconds(), w.ui->TCPrecvbyteslcdNumber->intValue(), probe.worst,
              qPrintable(m.join(' ')));
        QCOMPARE(w.ui->TCPrecvbyteslcdNumber->intValue(), 99999);
    }

    void keepSendingAt10ms()
    {
        TestHome home;
        MainWindow w;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        qint64 received = 0;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            QTcpSocket* s = server.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, this, [s, &received] { received += s->readAll().size(); });
        });
        w.ui->TCP_comboBox->setCurrentIndex(1);
        w.ui->TCPclientPortlineEdit->setText(QString::number(server.serverPort()));
        w.TCPopencompushButton_triggered();
        w.ui->TCPobocheckBox->setChecked(true);
        w.ui->TCPdelayspinBox->setValue(10);
        w.ui->TCPsendMsgtextEdit->setPlainText("0123456789");
        w.TCPsendmsgBtn_clicked();
        const qint64 before = residentKb();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(seconds() * 6000);
        const qint64 ms = clock.elapsed();
        w.TCPsendmsgBtn_clicked();
        qInfo("keep-sending: %lld sends in %lld ms (%.1f per second, 100 expected), RSS %lld -> %lld kB",
              received / 10, ms, received / 10 * 1000.0 / ms, before, residentKb());
        QVERIFY(received > 0);
    }
};

int main(int argc, char** argv)
{
    qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    QApplication app(argc, argv);
    BenchNetworkTerminals bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_networkterminals.moc"
