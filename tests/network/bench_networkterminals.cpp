// UDP and TCP terminals under load from peers on their own threads. Prints the worst
// lateness of a 10 ms probe timer on the GUI thread, the counters and resident memory.
// PLAX_BENCH_SECONDS sets the load time (default 10; the keep-sending run lasts six times
// as long).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <functional>
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

const int seconds =
    qEnvironmentVariableIsSet("PLAX_BENCH_SECONDS") ? qEnvironmentVariableIntValue("PLAX_BENCH_SECONDS") : 10;

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    return f.open(QIODevice::ReadOnly)
               ? f.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024
               : -1;
}

// A socket of `type` connected to 127.0.0.1:port, or -1.
int loopbackSocket(int type, quint16 port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = ::socket(AF_INET, type, 0);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 ? fd : -1;
}

// Runs `send` on its own thread over the load time, until the flag it gets turns true.
// Returns how late, at worst, a 10 ms timer fired on the GUI thread meanwhile (ms) and
// the resident memory after each second.
QPair<qint64, QStringList> underLoad(const std::function<void(const std::atomic<bool>&)>& send)
{
    QTest::qWait(1000); // the window's own start-up work is not measured
    std::atomic<bool> stop{false};
    std::thread peer([&] { send(stop); });
    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worst = qMax(worst, clock.elapsed() - last - 10);
        last = clock.elapsed();
    });
    clock.start();
    probe.start(10);
    QStringList memory;
    for (int s = 0; s < seconds; ++s) {
        QTest::qWait(1000);
        memory << QString::number(residentKb());
    }
    stop = true;
    peer.join();
    return {worst, memory};
}

} // namespace

class BenchNetworkTerminals : public QObject
{
    Q_OBJECT
private slots:
    // 20,000 datagrams of 16 bytes a second, or a TCP stream as fast as it goes.
    void flood_data()
    {
        QTest::addColumn<bool>("udp");
        QTest::newRow("udp-flood") << true;
        QTest::newRow("tcp-stream") << false;
    }
    void flood()
    {
        QFETCH(bool, udp);
        TestHome home;
        MainWindow w;
        w.show();
        const quint16 port = udp ? freeUdpPort() : freeTcpPort();
        (udp ? w.ui->UDPSenderPortlineEdit : w.ui->TCPServerPortlineEdit)->setText(QString::number(port));
        (udp ? w.ui->UDP_HEXcheckBox : w.ui->TCP_HEXcheckBox)->setChecked(true);
        udp ? w.UDPopencompushButton_triggered() : w.TCPopencompushButton_triggered();
        QVERIFY(udp ? w.UDP_isOpen : w.TCP_isOpen);
        std::atomic<qint64> sent{0};
        const auto [worst, memory] = underLoad([&](const std::atomic<bool>& stop) {
            const int fd = loopbackSocket(udp ? SOCK_DGRAM : SOCK_STREAM, port);
            const QByteArray block(udp ? 16 : 64 * 1024, 'S');
            QElapsedTimer clock;
            clock.start();
            while (fd >= 0 && !stop) {
                const bool ahead = udp && sent >= clock.elapsed() * 20 * 16;
                const ssize_t n =
                    ahead ? 0 : ::send(fd, block.constData(), size_t(block.size()), MSG_DONTWAIT);
                n > 0 ? void(sent += n) : void(usleep(1000));
            }
            ::close(fd);
        });
        QTest::qWait(500);
        const int counter = (udp ? w.ui->UDPrecvbyteslcdNumber : w.ui->TCPrecvbyteslcdNumber)->intValue();
        qInfo("%s: %lld bytes sent in %d s, counter %d, worst probe lateness %lld ms, RSS kB %s",
              QTest::currentDataTag(), qint64(sent), seconds, counter, worst, qPrintable(memory.join(' ')));
        // Datagrams the system dropped before the terminal read them are not its loss.
        QVERIFY(udp ? counter > 0 : counter == 99999);
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
        QTest::qWait(seconds * 6000);
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
