// The GPS tab in a whole window: a pseudo-terminal plays real receiver captures, TCP
// clients and a local web server are its peers, and the map page is checked through its
// own variables. Then the satellite dialog with its worker thread, and the calculator.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>
#include <optional>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "gps/callout.h"
#include "gps/gpscalculate_form.h"
#include "gps/gpssignal.h"
#include "gps/gpssignal_form.h"
#include "gps/gpstrack.h"
#include "serial/threadserial.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/press.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/gps/nmeatext.h"

namespace {

// A whole window in its own home, with the serial port scan off.
struct Gps
{
    TestHome home;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui;

    explicit Gps(const QString& mapType = {})
    {
        QList<QPair<QString, QString>> settings{{"Auto_Serial_Scan", "false"}};
        if (!mapType.isEmpty())
            settings.append({"Map_Type", mapType});
        home.writeSettings(settings);
        w = std::make_unique<MainWindow>();
        ui = w->ui;
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    QByteArray track() const
    {
        QFile file(home.path() + "/GPS_Date.txt");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // "latitude hemisphere longitude hemisphere" as the labels show them.
    QString position() const
    {
        return QStringList{ui->Weidu->text(), ui->Weidufangxiang->text(), ui->Jingdu->text(),
                           ui->Jingdufangxiang->text()}
            .join(' ');
    }
    // Runs a script on the map page and waits for its value.
    QVariant js(const QString& script)
    {
        auto value = std::make_shared<std::optional<QVariant>>();
        w->GPS_mapView->page()->runJavaScript(script, [value](const QVariant& v) { *value = v; });
        for (int i = 0; i < 500 && !*value; ++i)
            QTest::qWait(10);
        return value->value_or(QVariant());
    }
    // The page loads after the window is built: waits until its functions exist.
    bool waitForMap()
    {
        for (int i = 0; i < 150; ++i) {
            if (js("typeof Set_Location === 'function' && map !== null").toBool())
                return true;
            QTest::qWait(100);
        }
        return false;
    }
    void openOn(const QString& path)
    {
        if (ui->GPSportNameComboBox->findText(path) < 0)
            ui->GPSportNameComboBox->addItem(path);
        ui->GPSportNameComboBox->setCurrentText(path);
        press(ui->GPSopencompushButton);
    }
    // Hands one sentence to the decoding, as the receive slot does.
    void receive(const QByteArray& body) { w->GPS_Analysis_Data_Process(sealed(body)); }
};

// Answers the next modal dialog of type D from a timer.
template <typename D, typename F> void answerNext(F answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            answer(dialog);
        }
    });
    timer->start(20);
    QTimer::singleShot(10000, timer, &QObject::deleteLater);
}

QList<double> bars(const MainWindow::GPS_SignalGroup& g)
{
    QList<double> values;
    for (int i = 0; i < g.categories.size(); ++i)
        values << g.set->at(i);
    return values;
}

} // namespace

class TestGpsTab : public QObject
{
    Q_OBJECT
private slots:
    // A capture in random chunks through a pty: the labels end on gpsd's last position,
    // the map and the track file hold the one position the throttle let through, and it
    // is one gpsd reported (never a void or stale one).
    void captureThroughPty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no-fix") << "ublox-lea-5q";
        QTest::newRow("normal-fix-west") << "gr601-w";
        QTest::newRow("cold-start") << "bn-9015";
    }
    void captureThroughPty()
    {
        QFETCH(QString, name);
        const Capture capture(name);
        if (capture.stream.isEmpty())
            QSKIP("shared test data not present");
        QStringList reported; // gpsd's positions as "latitude,longitude"
        for (const QByteArray& line : capture.chk)
            if (const QJsonObject tpv = QJsonDocument::fromJson(line).object(); tpv.contains("lat"))
                if (tpv["class"] == "TPV")
                    reported << QString::asprintf("%.7f,%.7f", tpv["lat"].toDouble(), tpv["lon"].toDouble());
        Gps g;
        QVERIFY(g.waitForMap());
        PtyPair pty;
        g.ui->GPSSavecheckBox->setChecked(true);
        g.openOn(pty.slavePath());
        QVERIFY(g.w->Serial_isOpen && !g.ui->GPSportMode_02->isEnabled());
        // The port is read on the GUI thread: each chunk waits until the tab has taken the last.
        qint64 read = 0;
        connect(g.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&read](const QByteArray& data) { read += data.size(); });
        QRandomGenerator random(7);
        const QList<int> cuts = randomCuts(capture.stream.size(), 300, random) << capture.stream.size();
        for (int i = 1; i < cuts.size(); ++i) {
            pty.write(capture.stream.mid(cuts[i - 1], cuts[i] - cuts[i - 1]));
            QTRY_COMPARE(read, qint64(cuts[i]));
        }
        const QString track = QString::fromLatin1(g.track()).remove("Latitude:").replace(",Longitude:", ",");
        const QString shown = GpsTrack::signedDegrees(g.ui->Weidu->text(), g.ui->Weidufangxiang->text()) +
                              ',' +
                              GpsTrack::signedDegrees(g.ui->Jingdu->text(), g.ui->Jingdufangxiang->text());
        const QString initial = QStringLiteral("39.9150000,116.4040000");
        QCOMPARE(shown, reported.isEmpty() ? QStringLiteral("Null,Null") : reported.last());
        // One track point, where the map went: a position gpsd reported, never a void one.
        QCOMPARE(track.count('\n'), reported.isEmpty() ? 0 : 1);
        QVERIFY2(reported.isEmpty() || reported.contains(track.trimmed()), qPrintable(track));
        QTRY_COMPARE(g.js("Latit.toFixed(7) + ',' + Longit.toFixed(7)").toString(),
                     reported.isEmpty() ? initial : track.trimmed());

        // "Clear Receive" keeps the labels. A half sentence left when the port closes is
        // gone when it opens again.
        const QString labels = g.position();
        press(g.ui->GPScleandatapushButton);
        QCOMPARE(g.status() + ' ' + g.position(), "Receive has been cleared " + labels);
        pty.write("$GPGGA,123519,48");
        QTRY_COMPARE(g.w->GPS_rxBuffer, QByteArray("$GPGGA,123519,48"));
        press(g.ui->GPSopencompushButton);
        QVERIFY(!g.w->Serial_isOpen && g.ui->GPSportMode_02->isEnabled());
        g.openOn(pty.slavePath());
        QCOMPARE(g.w->GPS_rxBuffer, QByteArray());
    }

    // Void, damaged and out-of-range sentences leave no position, map step or track point;
    // a real position by the equator and the prime meridian is shown.
    void voidAndDamagedSentences()
    {
        Gps g;
        g.ui->GPSSavecheckBox->setChecked(true);
        const auto read = [&g](const QByteArray& body) { g.w->readGPSCom(sealed(body)); };
        read("GPGGA,235947.00,,,,,1,00,99.99,,,,,,"); // a fix from before the restart
        read("GPRMC,235948.00,V,0000.0000,N,00000.0000,E,,,,,,N");
        QCOMPARE(g.ui->GPS_UTC->text() + ' ' + g.position(), QStringLiteral("23:59:48 Null  Null "));
        g.w->readGPSCom(sealed("GPGSA,A,1,,,,,,,,,,,,,,,").chopped(2) +
                        sealed("GPRMC,235949.00,A,,,,,,,,,,N"));
        read("GPRMC,-123456,A,4807.038,N,01131.000,E,,,,,,A");
        read("GPRMC,235950.00,A,0000.0000,N,00000.0000,E,,,,,,A");
        QCOMPARE(g.ui->GPS_UTC->text() + ' ' + g.position(), QStringLiteral("23:59:50 Null  Null "));
        QVERIFY(g.w->GPS_lastMapUpdate == 0 && g.track().isEmpty());
        read("GPRMC,235951.00,A,0030.000,N,00015.000,W,,,,,,A");
        QCOMPARE(g.position(), QStringLiteral("0.5000000 N 0.2500000 W"));
        QCOMPARE(g.track(), QByteArray("Latitude:0.5000000,Longitude:-0.2500000\r\n"));
        // A void report with other hemispheres changes nothing and cancels a waiting step.
        g.w->GPS_lastMapUpdate = 0;
        g.w->GPS_fixValid = 1;
        read("GPRMC,235952.00,V,4807.038,S,01131.000,E,,,,,,N");
        QCOMPARE(g.position(), QStringLiteral("0.5000000 N 0.2500000 W"));
        QCOMPARE(g.track().count('\n'), 1);
        // A track file that cannot be written is reported.
        QFile::remove(g.home.path() + "/GPS_Date.txt");
        QVERIFY(QDir(g.home.path()).mkdir("GPS_Date.txt"));
        g.w->GPSSavefile("1.0", "2.0");
        QCOMPARE(g.status(), QStringLiteral("Unable to save GPS data."));
    }

    // Clients joining, leaving mid-line and interleaving: each complete valid line is
    // shown, mapped and recorded once, with its hemispheres; nothing else is.
    void tcpPositionServer()
    {
        Gps g;
        QVERIFY(g.waitForMap());
        g.ui->GPSSavecheckBox->setChecked(true);
        g.ui->GPSportMode_02->click();
        // An empty port warns and still turns the button to Stop; a bad one fails to start.
        for (const QString& bad : {"", "70000"}) {
            g.ui->GPSTCPServerPortlineEdit->setText(bad);
            ModalAnswer answer;
            press(g.ui->GPSTCPopencompushButton);
            QCOMPARE(answer.text() + g.ui->GPSTCPopencompushButton->text(),
                     bad.isEmpty() ? "Port is empty!Stop" : "Stop");
            if (!bad.isEmpty())
                QCOMPARE(g.status(), QStringLiteral("Server failed to start: invalid port"));
            press(g.ui->GPSTCPopencompushButton);
            QCOMPARE(g.status() + ' ' + g.ui->GPSTCPopencompushButton->text(),
                     QStringLiteral("Server has stopped Start"));
        }
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        QCOMPARE(g.status(), QStringLiteral("Server has started"));
        QVERIFY(!g.ui->GPSTCPServerPortlineEdit->isEnabled());
        g.ui->GPSportMode_01->click(); // the server keeps working behind the COM controls
        QTcpSocket a, b, c;
        for (QTcpSocket* s : {&a, &b, &c}) {
            s->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(s->waitForConnected(3000));
        }
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 3);
        const auto send = [](QTcpSocket& s, const QByteArray& data) {
            s.write(data);
            QVERIFY(s.waitForBytesWritten(3000));
        };
        const auto recorded = [&g](int lines) { QTRY_COMPARE(g.track().count('\n'), lines); };
        send(a, "Latitude:7");
        a.disconnectFromHost();
        QTRY_COMPARE(g.w->GPS_tcpClients.size(), 2);
        QVERIFY(g.status().startsWith("Client: ") && g.status().endsWith(" Left"));
        send(b, "Latitude:8.5,Longitude:-9.5\r\n");
        recorded(1);
        QCOMPARE(g.position(), QStringLiteral("8.5 N 9.5 W"));
        QVERIFY(g.status().startsWith("TCP receive from:"));
        send(c, "Latitude:-33.9,Long");
        send(b, "Latitude:abc,Longitude:xyz\r\nLatitude:95,Longitude:200\r\nLatitude:nan,Longitude:inf\r\n"
                "Latitude:,Longitude:\r\nLatitude:1);alert(1);(1,Longitude:<img src=x>\r\nLatitude:5\r\n");
        send(b, "Latitude:1.25,Longitude:2.5\r\n");
        recorded(2);
        QCOMPARE(g.position(), QStringLiteral("1.25 N 2.5 E"));
        send(c, "itude:18.4\r\n");
        recorded(3);
        QCOMPARE(g.position(), QStringLiteral("33.9 S 18.4 E"));
        QCOMPARE(g.ui->Weidu->textFormat(), Qt::PlainText);
        QCOMPARE(g.ui->Jingdu->textFormat(), Qt::PlainText);
        QTRY_COMPARE(g.js("[Latit, Longit].join()").toString(), QStringLiteral("-33.9,18.4"));
        // Zeros are shown but not recorded.
        send(c, "Latitude:0.000000,Longitude:0.000000\r\nLatitude:-1,Longitude:-2\r\n");
        recorded(4);
        QCOMPARE(g.track(), QByteArray("Latitude:8.5,Longitude:-9.5\r\nLatitude:1.25,Longitude:2.5\r\n"
                                       "Latitude:-33.9,Longitude:18.4\r\nLatitude:-1,Longitude:-2\r\n"));
        QCOMPARE(g.js("document.title").toString(), QStringLiteral("GPSMap"));

        g.ui->GPSportMode_02->click();
        press(g.ui->GPSTCPopencompushButton);
        QCOMPARE(g.status() + ' ' + g.ui->GPSTCPopencompushButton->text(),
                 QStringLiteral("Server has stopped Start"));
        QVERIFY(g.w->GPS_tcpClients.isEmpty() && g.w->GPS_tcpBuffers.isEmpty());
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!late.waitForConnected(1000));
    }

    // Track replay draws a segment per change of position; lines that are not a position
    // in range are skipped.
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
        QTest::newRow("skipped") << x + "Latitude:alert(1),Longitude:2\r\nLatitude:95,Longitude:2\r\n" + y
                                 << "10.5,20.5,11.5,21.5";
    }
    void trackReplay()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, lines);
        Gps g;
        QVERIFY(g.waitForMap());
        QFile out(g.home.path() + "/track.txt");
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        answerNext<QFileDialog>([path = out.fileName()](QFileDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(d)->accept();
        });
        press(g.ui->GPStrochoidpushButton);
        QCOMPARE(g.status(), QStringLiteral("Success for read the data in the file"));
        QTRY_COMPARE(g.js("trackLines.map(function (l) { return l.getLatLngs().map(function (p) {"
                          " return p.lat + ',' + p.lng; }).join(); }).join('|')")
                         .toString(),
                     lines);
        QCOMPARE(g.js("trackLines.length ? trackLines[0].options.color : 'red'").toString(),
                 QStringLiteral("red"));
    }

    void routeSearch_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("calls");
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
        Gps g;
        QVERIFY(g.waitForMap());
        QVERIFY(g.ui->GPSpushButtonsearchdriving->isHidden()); // the OpenStreetMap page has no routes
        g.js("var calls = []; window.Set_endaddress = function (d) { calls.push('Set_endaddress:' + d); };"
             "window.searchdriving = function (d) { calls.push('searchdriving:' + d); }; 0");
        answerNext<QInputDialog>([accept, text](QInputDialog* d) {
            d->setTextValue(text);
            accept ? d->accept() : d->reject();
        });
        g.w->GPSsearchdriving_triggered();
        QTRY_COMPARE(g.js("calls.join('|')").toString(), calls);
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
            QFile json(site.filePath("where.json"));
            QVERIFY(json.open(QIODevice::WriteOnly) && json.write(reply) == reply.size());
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
        ModalAnswer answer(QString(), 15000);
        Gps g;
        qputenv("PLAX_IP_LOCATION_URL", old);
        QVERIFY(g.waitForMap());
        if (alert.isEmpty()) {
            // The opened popup may pan the map a little; the markers sit on the spot.
            QTRY_VERIFY(g.js("hereMarker !== null").toBool());
            QCOMPARE(g.js("hereMarker.getPopup().getContent().textContent").toString(),
                     QStringLiteral("You are here: Delft"));
            QCOMPARE(
                g.js("[hereMarker.getLatLng().lat, marker.getLatLng().lng, map.getZoom()].join()").toString(),
                centre);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(answer.seen(), 15000);
            QCOMPARE(answer.text(), alert);
            QCOMPARE(g.js("[map.getCenter().lat, map.getCenter().lng, map.getZoom()].join()").toString(),
                     centre);
        }
    }

    void baiduPageWithoutServiceAlerts()
    {
        ModalAnswer answer(QString(), 15000);
        Gps g("1"); // the Baidu page
        QVERIFY(!g.ui->GPSpushButtonsearchdriving->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(answer.seen(), 15000);
        QCOMPARE(answer.title() + ' ' + answer.text(), QStringLiteral("Message 地图加载失败，请检查网络！"));
        QCOMPARE(g.js("document.title").toString(), QStringLiteral("Quenlix-GPSMap"));
    }

    void satelliteDialogThroughTheWorker()
    {
        Gps g;
        MainWindow& w = *g.w;
        press(g.ui->GPSsignal);
        QPointer<QDialog> first = w.GPS_signalDialog;
        QPointer<GPS_Signal> worker = w.GPS_signalThread;
        QCOMPARE(first->windowTitle(), QStringLiteral("GPS Signal"));
        press(g.ui->GPSsignal); // already open: nothing new
        QVERIFY(w.GPS_signalDialog == first.data() && w.GPS_signalThread == worker.data());

        // The worker decodes a sentence once the next one is behind it.
        g.receive("GPGSV,3,1,12,12,30,120,40,15,60,45,35,25,10,300,22,07,20,90,33");
        g.receive("GAGSV,1,1,01,12,50,200,30");
        auto& gps = w.GPS_signalGroups[1];
        QTRY_COMPARE(gps.categories, (QStringList{"GP12", "GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{40, 35, 22, 33}));
        QCOMPARE(gps.axis->categories(), gps.categories);
        // PRN 12 on the sky plot at azimuth 120, radius 90 - 30.
        QVERIFY(w.GPS_skyDrawn[12]);
        QCOMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{120, 60}}));
        QCOMPARE(w.GPS_skySeries[12]->color(), QColor("#209FDF"));

        // GP12 weakens below 5: its bar goes and the next moves up; its sky point goes.
        g.receive("GPGSV,3,1,12,12,30,120,3");
        g.receive("GAGSV,1,1,01,12,50,200,30");
        g.receive("GLGSV,1,1,00"); // only pushes the one before it through
        QTRY_COMPARE(gps.categories, (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{35, 22, 33}));
        // The Galileo satellite with the same PRN drew the shared sky point again.
        QTRY_VERIFY(w.GPS_skyDrawn[12]);
        QCOMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{200, 40}}));
        QCOMPARE(w.GPS_signalGroups[4].categories, QStringList{"GA12"});

        emit w.GPS_skySeries[7]->hovered(QPointF(90, 70), true); // the balloon
        QCOMPARE(w.GPS_signalCallout->text(), QStringLiteral("PRN number: 7 \nElevation: 20 \nAzimuth: 90 "));

        // Closing stops and releases the worker; the categories stay for next time.
        press(w.GPS_signalUi->GPSsignalCancel);
        QTRY_VERIFY(first.isNull());
        QVERIFY(!w.GPS_signalOpen && worker.isNull() && !w.GPS_signalThread);
        g.receive("GPGSV,3,1,12,12,30,120,40"); // nobody listens now
        press(g.ui->GPSsignal);
        QVERIFY(w.GPS_signalOpen && w.GPS_signalThread);
        QCOMPARE(w.GPS_signalGroups[1].axis->categories(), (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(w.GPS_signalGroups[1]), (QList<double>{0, 0, 0}));
        QVERIFY(!w.GPS_skyDrawn[12]);
    }

    void satelliteResultWhileBusyIsDroppedAndReleased()
    {
        Gps g;
        press(g.ui->GPSsignal);
        QSignalSpy released(g.w.get(), &MainWindow::GPS_GUI_Wait_Data_Over);
        g.w->GPS_signalBusy = true; // while busy, the tab hands nothing over
        g.receive("GPGSV,1,1,01,07,20,90,33");
        QCOMPARE(g.w->GPS_signalThread->queueSize(), 0);
        // A result arriving while busy is dropped, and the worker is released all the same.
        g.w->GPS_signalBusy = false;
        g.receive("GPGSV,1,1,01,07,20,90,33");
        g.receive("GPGSV,1,1,01,08,20,90,33");
        g.w->GPS_signalBusy = true;
        QTRY_COMPARE(released.size(), 1);
        QVERIFY(!released.at(0).at(0).toBool() && !g.w->GPS_signalBusy && !g.w->GPS_skyDrawn[7]);
        QVERIFY(g.w->GPS_signalGroups[1].categories.isEmpty());
    }

    void calculator()
    {
        Gps g;
        press(g.ui->GPScalculate);
        QPointer<QDialog> dialog = g.w->GPS_calculateDialog;
        Ui_GPScalculate* f = g.w->GPS_calculateUi;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("GPS calculation"));
        press(g.ui->GPScalculate); // already open: nothing new
        QCOMPARE(g.w->GPS_calculateDialog, dialog.data());
        const auto fill = [](const QList<QLineEdit*>& edits, const QStringList& texts) {
            for (int i = 0; i < edits.size(); ++i)
                edits[i]->setText(texts[i]);
        };
        fill({f->YlatlineEdit, f->YlonglineEdit, f->MlatlineEdit, f->MlonglineEdit}, {"0", "0", "0", "1"});
        press(f->GPSpushButtoncalculate);
        QCOMPARE(f->GPSresults->text(), QStringLiteral("111.319"));
        fill({f->latlineEdit, f->longlineEdit}, {"0", "3"});
        press(f->lltoutm);
        QCOMPARE(QStringList({f->utmElineEdit->text(), f->utmNlineEdit->text(), f->utmZlineEdit->text()}),
                 QStringList({"500000.00000000", "0.00000000", "31N"}));
        fill({f->utmElineEdit, f->utmNlineEdit, f->utmZlineEdit}, {"500000", "5000000", "31T"});
        press(f->utmtoll);
        QCOMPARE(f->longlineEdit->text(), QStringLiteral("3.00000000"));
        QVERIFY(f->latlineEdit->text().startsWith("45.1"));
        f->utmZlineEdit->setText("31Tabc");
        QCOMPARE(f->utmZlineEdit->text(), QStringLiteral("31Tab")); // five characters at most

        // The ellipsoid chosen is not kept once the dialog closes.
        f->utm_comboBox->setCurrentIndex(4);
        press(f->GPScalculateCancel);
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(!g.w->GPS_calculateOpen && !g.w->GPS_calculateUi);
        press(g.ui->GPScalculate);
        QCOMPARE(g.w->GPS_calculateUi->utm_comboBox->currentText(), QStringLiteral("WGS-84"));

        // The window closes with both dialogs open and the worker busy.
        press(g.ui->GPSsignal);
        QPointer<GPS_Signal> worker = g.w->GPS_signalThread;
        g.receive("GPGSV,1,1,01,07,20,90,33");
        g.receive("GPGSV,1,1,01,08,20,90,33");
        g.w.reset();
        QVERIFY(worker.isNull());
    }
};

QTEST_MAIN(TestGpsTab)
#include "tst_gpstab.moc"
