// The GPS tab in a whole window: a pseudo-terminal plays real receiver captures, TCP
// clients are its peers, and the map page is checked through its own variables. Then the
// satellite dialog with its worker thread, and the calculator.
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
#include "gps/gpscalculate_form.h"
#include "gps/gpssignal.h"
#include "gps/gpssignal_form.h"
#include "gps/gpstrack.h"
#include "serial/threadserial.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/press.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/gps/nmeatext.h"

namespace {

// A whole window in its own home, with the serial port scan off.
struct Gps
{
    TestHome home;
    std::unique_ptr<MainWindow> w =
        (home.writeSettings({{"Auto_Serial_Scan", "false"}}), std::make_unique<MainWindow>());
    Ui_MainWindow* ui = w->ui;

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
        return QTest::qWaitFor([&] { return value->has_value(); }, 5000) ? **value : QVariant();
    }
    // The page loads after the window is built: waits until its functions exist.
    bool waitForMap()
    {
        return QTest::qWaitFor(
            [this] { return js("typeof Set_Location === 'function' && map !== null").toBool(); }, 15000);
    }
    void openOn(const QString& path)
    {
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
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
            timer->deleteLater(), timer->stop(), answer(dialog);
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
        QVERIFY(g.w->Serial_isOpen);
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
        QCOMPARE(shown, reported.isEmpty() ? QStringLiteral("Null,Null") : reported.last());
        // One track point, where the map went: a position gpsd reported, never a void one.
        QCOMPARE(track.count('\n'), reported.isEmpty() ? 0 : 1);
        QVERIFY2(reported.isEmpty() || reported.contains(track.trimmed()), qPrintable(track));
        QTRY_COMPARE(g.js("Latit.toFixed(7) + ',' + Longit.toFixed(7)").toString(),
                     reported.isEmpty() ? QStringLiteral("39.9150000,116.4040000") : track.trimmed());

        // A half sentence left when the port closes is gone when it opens again.
        pty.write("$GPGGA,123519,48");
        QTRY_COMPARE(g.w->GPS_rxBuffer, QByteArray("$GPGGA,123519,48"));
        press(g.ui->GPSopencompushButton);
        QVERIFY(!g.w->Serial_isOpen);
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
        g.ui->GPSTCPServerPortlineEdit->setText("70000");
        press(g.ui->GPSTCPopencompushButton);
        QCOMPARE(g.status(), QStringLiteral("Server failed to start: invalid port"));
        press(g.ui->GPSTCPopencompushButton);
        const quint16 port = freeTcpPort();
        g.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        press(g.ui->GPSTCPopencompushButton);
        QCOMPARE(g.status(), QStringLiteral("Server has started"));
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
        send(b, "Latitude:8.5,Longitude:-9.5\r\n");
        recorded(1);
        QCOMPARE(g.position(), QStringLiteral("8.5 N 9.5 W"));
        send(c, "Latitude:-33.9,Long");
        send(b, "Latitude:95,Longitude:200\r\nLatitude:1);alert(1);(1,Longitude:<img src=x>\r\n");
        send(b, "Latitude:1.25,Longitude:2.5\r\n");
        recorded(2);
        QCOMPARE(g.position(), QStringLiteral("1.25 N 2.5 E"));
        send(c, "itude:18.4\r\n");
        recorded(3);
        QCOMPARE(g.position(), QStringLiteral("33.9 S 18.4 E"));
        QTRY_COMPARE(g.js("[Latit, Longit].join()").toString(), QStringLiteral("-33.9,18.4"));
        // Zeros are shown but not recorded.
        send(c, "Latitude:0.000000,Longitude:0.000000\r\nLatitude:-1,Longitude:-2\r\n");
        recorded(4);
        QCOMPARE(g.track(), QByteArray("Latitude:8.5,Longitude:-9.5\r\nLatitude:1.25,Longitude:2.5\r\n"
                                       "Latitude:-33.9,Longitude:18.4\r\nLatitude:-1,Longitude:-2\r\n"));

        g.ui->GPSportMode_02->click();
        press(g.ui->GPSTCPopencompushButton);
        QVERIFY(g.w->GPS_tcpClients.isEmpty() && g.w->GPS_tcpBuffers.isEmpty());
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!late.waitForConnected(1000));
    }

    // The page centres on the IP location; a replayed track draws a segment per change of
    // position, skipping lines that are no position in range; a route destination reaches
    // the page as the text typed, quotes and all.
    void mapPage()
    {
        Gps g;
        QVERIFY(g.waitForMap());
        QTRY_VERIFY(g.js("hereMarker !== null").toBool());
        QCOMPARE(g.js("hereMarker.getPopup().getContent().textContent").toString(),
                 QStringLiteral("You are here: Test"));
        QFile out(g.home.path() + "/track.txt");
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(
            "Latitude:10.5,Longitude:20.5\r\nLatitude:10.5,Longitude:20.5\r\nnoise\r\n"
            "Latitude:alert(1),Longitude:2\r\nLatitude:95,Longitude:2\r\nLatitude:11.5,Longitude:21.5\n");
        out.close();
        answerNext<QFileDialog>([path = out.fileName()](QFileDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(d)->accept();
        });
        press(g.ui->GPStrochoidpushButton);
        QTRY_COMPARE(g.js("trackLines.map(function (l) { return l.getLatLngs().map(function (p) {"
                          " return p.lat + ',' + p.lng; }).join(); }).join('|')")
                         .toString(),
                     QStringLiteral("10.5,20.5,10.5,20.5|10.5,20.5,11.5,21.5"));

        g.js("var calls = []; window.Set_endaddress = function (d) { calls.push('Set_endaddress:' + d); };"
             "window.searchdriving = function (d) { calls.push('searchdriving:' + d); }; 0");
        answerNext<QInputDialog>([](QInputDialog* d) { d->setTextValue("it's \\ </script>"), d->accept(); });
        g.w->GPSsearchdriving_triggered();
        QTRY_COMPARE(g.js("calls.join('|')").toString(),
                     QStringLiteral("Set_endaddress:it's \\ </script>|searchdriving:it's \\ </script>"));
    }

    // Bars and sky points follow the worker's results; a weak satellite leaves both; a
    // result arriving while busy is dropped and the worker released all the same. Closing
    // stops the worker; the window closes with both dialogs open and the worker busy.
    void satelliteDialog()
    {
        Gps g;
        MainWindow& w = *g.w;
        press(g.ui->GPSsignal);
        QPointer<GPS_Signal> worker = w.GPS_signalThread;
        g.receive("GPGSV,3,1,12,12,30,120,40,15,60,45,35,25,10,300,22,07,20,90,33");
        g.receive("GAGSV,1,1,01,12,50,200,30");
        auto& gps = w.GPS_signalGroups[1];
        QTRY_COMPARE(gps.categories, (QStringList{"GP12", "GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{40, 35, 22, 33}));
        QCOMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{120, 60}})); // azimuth, 90 - elevation

        g.receive("GPGSV,3,1,12,12,30,120,3"); // weaker than 5
        g.receive("GAGSV,1,1,01,12,50,200,30");
        g.receive("GLGSV,1,1,00"); // only pushes the one before it through
        QTRY_COMPARE(gps.categories, (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{35, 22, 33}));
        // The Galileo satellite with the same PRN drew the shared sky point again.
        QTRY_COMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{200, 40}}));

        QSignalSpy released(&w, &MainWindow::GPS_GUI_Wait_Data_Over);
        g.receive("GPGSV,1,1,01,08,20,90,33");
        QTRY_COMPARE(released.size(), 1);
        g.receive("GPGSV,1,1,01,09,20,90,33");
        w.GPS_signalBusy = true; // before the result for PRN 8 can arrive
        QTRY_COMPARE(released.size(), 2);
        QVERIFY(!w.GPS_signalBusy && !w.GPS_skyDrawn[8] && !gps.categories.contains("GP8"));

        press(w.GPS_signalUi->GPSsignalCancel);
        QTRY_VERIFY(worker.isNull() && !w.GPS_signalOpen);
        press(g.ui->GPSsignal);
        press(g.ui->GPScalculate);
        worker = w.GPS_signalThread;
        g.receive("GPGSV,1,1,01,07,20,90,33");
        g.receive("GPGSV,1,1,01,08,20,90,33");
        g.w.reset();
        QVERIFY(worker.isNull());
    }

    // The calculator converts on the ellipsoid chosen (Snyder's transverse Mercator example
    // on Clarke 1866), and forgets the choice when it closes.
    void calculator()
    {
        Gps g;
        press(g.ui->GPScalculate);
        QPointer<QDialog> dialog = g.w->GPS_calculateDialog;
        Ui_GPScalculate* f = g.w->GPS_calculateUi;
        const auto fill = [](const QList<QLineEdit*>& edits, const QStringList& texts) {
            for (int i = 0; i < edits.size(); ++i)
                edits[i]->setText(texts[i]);
        };
        fill({f->YlatlineEdit, f->YlonglineEdit, f->MlatlineEdit, f->MlonglineEdit}, {"0", "0", "0", "1"});
        press(f->GPSpushButtoncalculate);
        QCOMPARE(f->GPSresults->text(), QStringLiteral("111.319"));
        f->utm_comboBox->setCurrentText("Clarke 1866");
        fill({f->latlineEdit, f->longlineEdit}, {"40.5", "-73.5"});
        press(f->lltoutm);
        QCOMPARE(f->utmZlineEdit->text(), QStringLiteral("18T"));
        QVERIFY(std::abs(f->utmElineEdit->text().toDouble() - 627106.5) < 0.5);
        fill({f->utmElineEdit, f->utmNlineEdit}, {"500000", "5000000"});
        press(f->utmtoll);
        QCOMPARE(f->longlineEdit->text(), QStringLiteral("-75.00000000"));
        press(f->GPScalculateCancel);
        QTRY_VERIFY(dialog.isNull());
        press(g.ui->GPScalculate);
        QCOMPARE(g.w->GPS_calculateUi->utm_comboBox->currentText(), QStringLiteral("WGS-84"));
    }
};

QTEST_MAIN(TestGpsTab)
#include "tst_gpstab.moc"
