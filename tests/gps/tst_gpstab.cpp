// The GPS tab in a whole window: a pseudo-terminal plays the receiver, TCP clients
// send positions, and the map page is checked through its own variables.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>

#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/gps/gpstabfixture.h"

using namespace GpsTabFixture;

namespace {

const QByteArray textbookGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

QByteArray trackFile(const TestHome& home)
{
    QFile file(home.path() + "/GPS_Date.txt");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the next modal dialog of type D from a timer.
template <typename D, typename F> void answerNext(F answer)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
    QTimer::singleShot(10000, timer, &QObject::deleteLater);
}

// Types the absolute path into the next file dialog and accepts it.
void chooseFile(const QString& path)
{
    answerNext<QFileDialog>([path](QFileDialog* d) {
        if (auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(path);
        static_cast<QDialog*>(d)->accept();
    });
}

} // namespace

class TestGpsTab : public QObject
{
    Q_OBJECT
private slots:
    void serialReceiverFeedsLabelsMapAndTrack()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(waitForMap(w));
        PtyPair pty;
        QVERIFY(pty.isValid());
        w.ui->GPSSavecheckBox->setChecked(true);
        openOn(w, pty.slavePath());
        QVERIFY(w.Serial_isOpen);
        QVERIFY(!w.ui->GPSportMode_02->isEnabled());

        // One sentence in two reads, split inside a field.
        pty.write(textbookGga.left(20));
        QTest::qWait(100);
        pty.write(textbookGga.mid(20));
        QTRY_COMPARE(w.ui->Dingweizhuangtai->text(), QStringLiteral("Yes"));
        QCOMPARE(w.ui->Shiyongweixing->text(), QStringLiteral("8"));
        QCOMPARE(w.ui->Haibagaodu->text(), QStringLiteral("545.4 m"));
        QTRY_COMPARE(w.ui->GPStextBrowser->toPlainText(), QString::fromLatin1(textbookGga).remove('\r'));

        // The first fix goes to the track file and the map at once; the next, within
        // ten seconds, waits.
        pty.write(sealed("GPRMC,083503.00,A,4807.038,N,07531.20562,W,0.016,,241013,,,A"));
        QTRY_COMPARE(w.ui->Weidu->text(), QStringLiteral("48.1173000"));
        QCOMPARE(w.ui->GPS_UTC->text(), QStringLiteral("8:35:3"));
        QCOMPARE(w.ui->Jingdu->text(), QStringLiteral("75.5200937"));
        QCOMPARE(w.ui->Jingdufangxiang->text(), QStringLiteral("W"));
        QTRY_COMPARE(trackFile(home), QByteArray("Latitude:48.1173000,Longitude:-75.5200937\r\n"));
        QCOMPARE(w.GPS_fixValid, 0);
        QTRY_COMPARE(js(w, "[Latit, Longit].join()").toString(), QStringLiteral("48.1173,-75.5200937"));
        QCOMPARE(js(w, "[marker.getLatLng().lat, marker.getLatLng().lng].join()").toString(),
                 QStringLiteral("48.1173,-75.5200937"));

        pty.write(sealed("GPRMC,083504.00,A,4807.040,N,07531.20562,W,0.016,,241013,,,A"));
        QTRY_COMPARE(w.ui->GPS_UTC->text(), QStringLiteral("8:35:4"));
        QCOMPARE(w.GPS_fixValid, 1);
        QTest::qWait(200);
        QCOMPARE(trackFile(home).count('\n'), 1);

        // A bad checksum changes nothing.
        pty.write(QByteArray(textbookGga).replace("545.4", "545.3"));
        pty.write(sealed("GPVTG,,T,,M,0.285,N,0.528,K,A"));
        QTRY_COMPARE(w.ui->Dimiansudu->text(), QStringLiteral("0.528 km/h"));
        QCOMPARE(w.ui->Haibagaodu->text(), QStringLiteral("545.4 m"));

        // "Clear Receive" keeps the information labels.
        press(w.ui->GPScleandatapushButton);
        QCOMPARE(w.ui->GPStextBrowser->toPlainText(), QString());
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Receive has been cleared"));
        QCOMPARE(w.ui->Weidu->text(), QStringLiteral("48.1173333"));

        // Close, open again: each chunk arrives once, and a half sentence left from
        // before the close is gone.
        pty.write("$GPGGA,123519,48");
        QTest::qWait(100);
        press(w.ui->GPSopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        QVERIFY(w.ui->GPSportMode_02->isEnabled());
        openOn(w, pty.slavePath());
        QVERIFY(w.Serial_isOpen);
        QCOMPARE(w.GPS_rxBuffer, QByteArray());
        press(w.ui->GPScleandatapushButton);
        const QByteArray vtg = sealed("GPVTG,,T,,M,1,N,2.5,K,A");
        pty.write(vtg);
        QTRY_COMPARE(w.ui->Dimiansudu->text(), QStringLiteral("2.5 km/h"));
        QTRY_COMPARE(w.ui->GPStextBrowser->toPlainText(), QString::fromLatin1(vtg).remove('\r'));
        press(w.ui->GPSopencompushButton);
    }

    void unwritableTrackFileIsReported()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(QDir(home.path()).mkdir("GPS_Date.txt")); // a folder where the file should be
        w.GPSSavefile("1.0", "2.0");
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Unable to save GPS data."));
        w.ui->statusBar->clearMessage();
        w.GPSSavefile("0.000000", "0.000000");
        QCOMPARE(w.statusBar()->currentMessage(), QString());
    }

    void tcpPositionServer()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(waitForMap(w));
        w.ui->GPSSavecheckBox->setChecked(true);
        press(w.ui->GPSportMode_02);
        QVERIFY(!w.ui->GPSTCPopencompushButton->isHidden());
        QVERIFY(w.ui->GPSopencompushButton->isHidden());
        const quint16 port = freeTcpPort();
        w.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(w.ui->GPSTCPopencompushButton);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Server has started"));
        QCOMPARE(w.ui->GPSTCPopencompushButton->text(), QStringLiteral("Stop"));
        QVERIFY(!w.ui->GPSTCPServerPortlineEdit->isEnabled());

        // A line in two packets moves things once, after the line end.
        QTcpSocket a;
        a.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(a.waitForConnected(3000));
        QTRY_COMPARE(w.GPS_tcpClients.size(), 1);
        a.write("Latitude:22.5431000,Longitude:114.0579000");
        a.flush();
        QTRY_VERIFY(w.ui->GPStextBrowser->toPlainText().contains("114.0579000"));
        QCOMPARE(w.ui->Weidu->text(), QStringLiteral("Null"));
        a.write("\r\n");
        QTRY_COMPARE(w.ui->Jingdu->text(), QStringLiteral("114.0579000"));
        QCOMPARE(w.ui->Weidu->text(), QStringLiteral("22.5431000"));
        QCOMPARE(w.ui->Haibagaodu->text(), QStringLiteral("Null"));
        QVERIFY(w.statusBar()->currentMessage().startsWith("TCP receive from:"));
        QTRY_COMPARE(js(w, "[Latit, Longit].join()").toString(), QStringLiteral("22.5431,114.0579"));
        QCOMPARE(trackFile(home), QByteArray("Latitude:22.5431000,Longitude:114.0579000\r\n"));

        // With the source switched back to COM the server keeps working. A second
        // client; two lines in one packet are both taken; zeros are not saved.
        press(w.ui->GPSportMode_01);
        QVERIFY(w.ui->GPSTCPopencompushButton->isHidden());
        QTcpSocket b;
        b.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(b.waitForConnected(3000));
        QTRY_COMPARE(w.GPS_tcpClients.size(), 2);
        b.write("Latitude:0.000000,Longitude:0.000000\r\nLatitude:-33.9,Longitude:18.4\r\n");
        QTRY_COMPARE(w.ui->Weidu->text(), QStringLiteral("-33.9"));
        QCOMPARE(w.ui->Jingdu->text(), QStringLiteral("18.4"));
        QTRY_COMPARE(js(w, "[Latit, Longit].join()").toString(), QStringLiteral("-33.9,18.4"));
        QCOMPARE(trackFile(home), QByteArray("Latitude:22.5431000,Longitude:114.0579000\r\n"
                                             "Latitude:-33.9,Longitude:18.4\r\n"));

        // Text that is not a number is shown but never reaches the page as script.
        w.ui->GPSSavecheckBox->setChecked(false);
        a.write("Latitude:1);document.title='owned';(1,Longitude:<b>2</b>\r\n");
        QTRY_COMPARE(w.ui->Jingdu->text(), QStringLiteral("<b>2</b>"));
        QCOMPARE(w.ui->Jingdu->textFormat(), Qt::PlainText);
        QCOMPARE(js(w, "document.title + ' ' + Latit").toString(), QStringLiteral("GPSMap -33.9"));

        // A line without both keys changes nothing.
        a.write("Latitude:5\r\n");
        QTRY_VERIFY(w.ui->GPStextBrowser->toPlainText().endsWith("Latitude:5\n"));
        QCOMPARE(w.ui->Jingdu->text(), QStringLiteral("<b>2</b>"));

        b.disconnectFromHost();
        QTRY_COMPARE(w.GPS_tcpClients.size(), 1);
        QVERIFY(w.statusBar()->currentMessage().startsWith("Client: "));
        QVERIFY(w.statusBar()->currentMessage().endsWith(" Left"));

        press(w.ui->GPSportMode_02);
        press(w.ui->GPSTCPopencompushButton);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Server has stopped"));
        QCOMPARE(w.ui->GPSTCPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(w.GPS_tcpClients.isEmpty());
        QTRY_COMPARE(a.state(), QAbstractSocket::UnconnectedState);
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!late.waitForConnected(1000));
    }

    void serverPortField_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("status");
        QTest::newRow("not-a-number") << "abc"
                                      << "Server failed to start: invalid port";
        QTest::newRow("too-large") << "70000"
                                   << "Server failed to start: invalid port";
    }
    void serverPortField()
    {
        QFETCH(QString, port);
        QFETCH(QString, status);
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        press(w.ui->GPSportMode_02);
        w.ui->GPSTCPServerPortlineEdit->setText(port);
        press(w.ui->GPSTCPopencompushButton);
        QCOMPARE(w.statusBar()->currentMessage(), status);
        QVERIFY(w.ui->GPSTCPServerPortlineEdit->isEnabled());
        press(w.ui->GPSTCPopencompushButton);
        QCOMPARE(w.ui->GPSTCPopencompushButton->text(), QStringLiteral("Start"));
    }

    void emptyServerPortWarns()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        press(w.ui->GPSportMode_02);
        w.ui->GPSTCPServerPortlineEdit->clear();
        ModalAnswer answer;
        press(w.ui->GPSTCPopencompushButton);
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("warning:"));
        QCOMPARE(answer.text(), QStringLiteral("Port is empty!"));
        QCOMPARE(w.ui->GPSTCPopencompushButton->text(), QStringLiteral("Stop"));
        press(w.ui->GPSTCPopencompushButton);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Server has stopped"));
        QCOMPARE(w.ui->GPSTCPopencompushButton->text(), QStringLiteral("Start"));
    }

    void trackReplay_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("lines");
        const QByteArray x = "Latitude:10.5,Longitude:20.5\r\n";
        const QByteArray y = "Latitude:11.5,Longitude:21.5\r\n";
        const QByteArray z = "Latitude:12.5,Longitude:22.5\n";
        QTest::newRow("x-x-y-y-z") << x + x + "noise\r\n" + y + y + z
                                   << "10.5,20.5,10.5,20.5|10.5,20.5,11.5,21.5|11.5,21.5,12.5,22.5";
        QTest::newRow("single-line") << x << "";
        QTest::newRow("script-is-skipped")
            << x + "Latitude:alert(1),Longitude:2\r\n" + y << "10.5,20.5,11.5,21.5";
    }
    void trackReplay()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, lines);
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(waitForMap(w));
        const QString path = home.path() + "/track.txt";
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        chooseFile(path);
        press(w.ui->GPStrochoidpushButton);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Success for read the data in the file"));
        const QString drawn = "trackLines.map(function (l) { return l.getLatLngs().map(function (p) {"
                              " return p.lat + ',' + p.lng; }).join(); }).join('|')";
        QTRY_COMPARE(js(w, drawn).toString(), lines);
        QCOMPARE(js(w, "trackLines.length ? trackLines[0].options.color : 'red'").toString(),
                 QStringLiteral("red"));
    }

    void trackReplayCancelAndUnreadable()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        w.ui->statusBar->clearMessage();
        answerNext<QFileDialog>([](QFileDialog* d) { d->reject(); });
        press(w.ui->GPStrochoidpushButton);
        QCOMPARE(w.statusBar()->currentMessage(), QString());

        const QString path = home.path() + "/locked.txt";
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.close();
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        chooseFile(path);
        press(w.ui->GPStrochoidpushButton);
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral(
                     "Open failed: Failed to open this file, this may be due to insufficient permissions."));
    }

    void routeSearch_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("calls");
        QTest::newRow("abc") << true << "abc"
                             << "Set_endaddress:abc|searchdriving:abc";
        QTest::newRow("quotes-arrive-intact")
            << true << "it's \\ </script>"
            << "Set_endaddress:it's \\ </script>|searchdriving:it's \\ </script>";
        QTest::newRow("empty") << true << ""
                               << "Set_endaddress:|searchdriving:";
        QTest::newRow("cancelled") << false << "abc"
                                   << "";
    }
    void routeSearch()
    {
        QFETCH(bool, accept);
        QFETCH(QString, text);
        QFETCH(QString, calls);
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(waitForMap(w));
        QVERIFY(w.ui->GPSpushButtonsearchdriving->isHidden()); // the OpenStreetMap page has no routes
        js(w, "var calls = []; window.Set_endaddress = function (d) { calls.push('Set_endaddress:' + d); };"
              "window.searchdriving = function (d) { calls.push('searchdriving:' + d); }; 0");
        answerNext<QInputDialog>([accept, text](QInputDialog* d) {
            d->setTextValue(text);
            accept ? d->accept() : d->reject();
        });
        w.GPSsearchdriving_triggered();
        QTRY_COMPARE(js(w, "calls.join('|')").toString(), calls);
    }

    void pageAlertIsAMessageBox()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        QVERIFY(waitForMap(w));
        ModalAnswer answer;
        w.GPS_mapView->page()->runJavaScript("alert('<b>hello</b>')");
        QTRY_VERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("Message"));
        QCOMPARE(answer.text(), QStringLiteral("<b>hello</b>"));
        QCOMPARE(answer.buttons(), QStringList{"OK"});
    }

    // The page asks the IP location service (here a local server) and centres on it.
    void ipLocation_data()
    {
        QTest::addColumn<QByteArray>("reply"); // empty: nothing listens
        QTest::addColumn<QString>("centre");
        QTest::addColumn<QString>("alert");
        QTest::newRow("success") << QByteArray(
                                        R"({"status":"success","lat":52.0142,"lon":4.363,"city":"Delft"})")
                                 << "52.0142,4.363,13"
                                 << "";
        QTest::newRow("refused") << QByteArray(R"({"status":"fail","message":"reserved range"})")
                                 << "39.915,116.404,12"
                                 << "IP location failed!";
        QTest::newRow("service-down") << QByteArray() << "39.915,116.404,12"
                                      << "IP location failed!";
    }
    void ipLocation()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, centre);
        QFETCH(QString, alert);
        QTemporaryDir site;
        const quint16 port = freeTcpPort();
        PeerProcess server;
        if (!reply.isEmpty()) {
            QFile json(site.path() + "/where.json");
            QVERIFY(json.open(QIODevice::WriteOnly));
            json.write(reply);
            json.close();
            // Like a public geolocation service, it allows pages of any origin.
            const QString script = "import functools, http.server, sys\n"
                                   "class H(http.server.SimpleHTTPRequestHandler):\n"
                                   "    def end_headers(self):\n"
                                   "        self.send_header('Access-Control-Allow-Origin', '*')\n"
                                   "        super().end_headers()\n"
                                   "http.server.ThreadingHTTPServer(('127.0.0.1', int(sys.argv[1])),\n"
                                   "    functools.partial(H, directory=sys.argv[2])).serve_forever()\n";
            QVERIFY(server.startWaitingForPort(systemPython(),
                                               {"-c", script, QString::number(port), site.path()}, port));
        }
        const QByteArray old = qgetenv("PLAX_IP_LOCATION_URL");
        qputenv("PLAX_IP_LOCATION_URL",
                QStringLiteral("http://127.0.0.1:%1/where.json").arg(port).toLatin1());
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        ModalAnswer answer(QString(), 15000);
        MainWindow w;
        qputenv("PLAX_IP_LOCATION_URL", old);
        QVERIFY(waitForMap(w));
        if (alert.isEmpty()) {
            // The opened popup may pan the map a little; the markers sit on the spot.
            QTRY_VERIFY(js(w, "hereMarker !== null").toBool());
            QCOMPARE(js(w, "hereMarker.getPopup().getContent().textContent").toString(),
                     QStringLiteral("You are here: Delft"));
            QCOMPARE(js(w, "[hereMarker.getLatLng().lat, marker.getLatLng().lng, map.getZoom()].join()")
                         .toString(),
                     centre);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(answer.seen(), 15000);
            QCOMPARE(answer.text(), alert);
            QCOMPARE(js(w, "[map.getCenter().lat, map.getCenter().lng, map.getZoom()].join()").toString(),
                     centre);
        }
    }

    void baiduPageWithoutServiceAlerts()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}, {"Map_Type", "1"}});
        ModalAnswer answer(QString(), 15000);
        MainWindow w;
        QCOMPARE(w.GPS_mapType, 1);
        QVERIFY(!w.ui->GPSpushButtonsearchdriving->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(answer.seen(), 15000);
        QCOMPARE(answer.title(), QStringLiteral("Message"));
        QCOMPARE(answer.text(), QStringLiteral("地图加载失败，请检查网络！"));
        QCOMPARE(js(w, "document.title").toString(), QStringLiteral("Quenlix-GPSMap"));
    }
};

QTEST_MAIN(TestGpsTab)
#include "tst_gpstab.moc"
