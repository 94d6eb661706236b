// 40 messages of 512 KiB through a real mosquitto into the MQTT tab and, in the same run,
// into mosquitto_sub: time to the last message, event-loop lateness and the log's size.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>

#include "protocols/mqttclient.h"
#include "tests/common/benchhelpers.h"
#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
#include "tests/common/peerprocess.h"
#include "tests/common/processcpu.h"
#include "widgets/logview.h"

class BenchMqtt : public QObject
{
    Q_OBJECT

private slots:
    void hugeMessagesAgainstMosquittoSub()
    {
        constexpr int count = 40;
        QTemporaryDir dir;
        const QString d = dir.path() + '/';
        const quint16 port = freeTcpPort();
        const auto writeFile = [&](const QString& name, const QByteArray& bytes) {
            QFile f(d + name);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(
            writeFile("mosquitto.conf", QString("allow_anonymous true\npersistence false\nmessage_size_limit "
                                                "0\nlistener %1 127.0.0.1\n")
                                            .arg(port)
                                            .toUtf8()));
        // The broker, started as root, reads its files as the user "mosquitto".
        QFile::setPermissions(d + "mosquitto.conf", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
        PeerProcess broker;
        QVERIFY(broker.startWaitingForPort("mosquitto", {"-c", d + "mosquitto.conf"}, port));

        ConsoleRig r("MQTT");
        r.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.w.get()));
        r.ui->mqtt_host_lineEdit->setText("127.0.0.1");
        r.ui->mqtt_port_lineEdit->setText(QString::number(port));
        ConsoleRig::press(r.ui->mqtt_opencompushButton);
        QTRY_COMPARE_WITH_TIMEOUT(r.w->statusBar()->currentMessage(), QStringLiteral("MQTT Connected"),
                                  10000);
        r.ui->mqtt_subscribe_lineEdit->setText("bench/#");
        ConsoleRig::press(r.ui->mqtt_subscribed_pushButton);
        QTRY_VERIFY(r.w->statusBar()->currentMessage().contains("subcribed"));
        int tabReceived = 0;
        qint64 tabDoneMs = -1;
        QElapsedTimer clock;
        connect(r.w->MQTT_client, &MqttClient::messageReceived, this, [&] {
            if (++tabReceived == count)
                tabDoneMs = clock.elapsed();
        });
        PeerProcess sub;
        QVERIFY(sub.startWaitingForText("stdbuf",
                                        {"-oL", "mosquitto_sub", "-d", "-h", "127.0.0.1", "-p",
                                         QString::number(port), "-t", "bench/#", "-C", QString::number(count),
                                         "-F", "%l"},
                                        "received SUBACK"));

        QVERIFY(writeFile("payload", QByteArray("0123456789abcdef").repeated(512 * 1024 / 16)));
        const double cpu0 = processTreeCpuSeconds(getpid());
        LatenessProbe probe;
        clock.start();
        PeerProcess pub; // one publisher sends all messages, so both subscribers get them at once
        QVERIFY(
            pub.start("sh", {"-c", QString("for i in $(seq %1); do cat '%2'; echo; done | mosquitto_pub -h "
                                           "127.0.0.1 -p %3 -t bench/big -l")
                                       .arg(QString::number(count), d + "payload", QString::number(port))}));
        qint64 subDoneMs = -1;
        const bool done = runUntil(
            [&] {
                if (subDoneMs < 0 && !sub.isRunning())
                    subDoneMs = clock.elapsed();
                return subDoneMs >= 0 && tabDoneMs >= 0;
            },
            120000);
        const double cpuPercent = 100 * (processTreeCpuSeconds(getpid()) - cpu0) / (clock.elapsed() / 1000.0);
        const qsizetype held = LogView::of(r.ui->mqtt_textEdit)->text().size();
        qInfo("mqtt %d x 512 KiB through mosquitto: tab %lld ms, mosquitto_sub %lld ms, time ratio %.2f; "
              "process CPU %.0f %%; lateness over %lld ticks p99 %lld ms, worst %lld ms; log %lld chars "
              "(budget %d)",
              count, tabDoneMs, subDoneMs, subDoneMs > 0 ? double(tabDoneMs) / subDoneMs : 0.0, cpuPercent,
              qint64(probe.late.size()), probe.p99(), probe.worst(), qint64(held), LogView::budget);
        QVERIFY(done && tabReceived == count);
        QVERIFY(held <= LogView::budget * 3 / 2);
    }
};

QTEST_MAIN(BenchMqtt)
#include "bench_mqtt.moc"
