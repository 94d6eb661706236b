// The GPS tab's web map: marker moves, route search and track replay.
#include "app/mainwindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextStream>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

#include "app/mainwindow_form.h"
#include "app/pickedfile.h"
#include "gps/customwebpage.h"
#include "gps/gpsmap.h"
#include "gps/gpstrack.h"

void MainWindow::GPS_createMap()
{
    GPS_mapView = new QWebEngineView(this);
    ui->gps_gridLayout->addWidget(GPS_mapView);
    auto* page = new CustomWebPage(GPS_mapView);
    page->scripts().insert(GpsMap::endpointScript());
    GPS_mapView->setPage(page);
    // What was sent before the page could run it goes in once it has loaded, in order.
    connect(
        page, &QWebEnginePage::loadFinished, this,
        [this] {
            GPS_mapLoaded = true;
            for (const QString& script : std::exchange(GPS_pendingScripts, {}))
                GPS_runJavaScript(script);
            for (const QString& script : std::exchange(GPS_pendingMove, {}))
                GPS_runJavaScript(script);
        },
        Qt::SingleShotConnection);
    GPS_mapView->load(
        QUrl(GPS_mapType == 1 ? QLatin1String(GpsMap::baiduPage) : QLatin1String(GpsMap::osmPage)));
    QWebEngineSettings* web = GPS_mapView->settings();
    web->setAttribute(QWebEngineSettings::LocalStorageEnabled, true);
    web->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
}

void MainWindow::GPS_runJavaScript(const QString& script)
{
    if (GPS_mapLoaded) {
        GPS_mapView->page()->runJavaScript(script, QWebEngineScript::MainWorld);
        return;
    }
    // The page keeps only the newest position: beyond the cap the oldest calls can go.
    if (GPS_pendingScripts.size() >= GPS_pendingScriptCap)
        GPS_pendingScripts.removeFirst();
    GPS_pendingScripts.append(script);
}

// Coordinates reach the page only as numbers: anything else would run as script.
void MainWindow::GPS_moveMap(const QString& latitude, const QString& longitude, bool centre)
{
    if (!GpsTrack::isPosition({latitude, longitude}))
        return;
    const QString centring = QStringLiteral("Set_Location_First()");
    // Before the page has loaded only the newest position waits; a centring asked for on
    // the way is kept.
    if (!GPS_mapLoaded && !GPS_pendingMove.isEmpty() && GPS_pendingMove.last() == centring)
        centre = true;
    const QStringList move = {QStringLiteral("Set_Latit(%1)").arg(latitude.trimmed()),
                              QStringLiteral("Set_Longit(%1)").arg(longitude.trimmed()),
                              centre ? centring : QStringLiteral("Set_Location()")};
    if (!GPS_mapLoaded) {
        GPS_pendingMove = move;
        return;
    }
    for (const QString& script : move)
        GPS_runJavaScript(script);
}

// The map follows the labels, but a flood of positions never queues moves in the page faster
// than it runs them: while one is on its way, the newest position waits for it.
void MainWindow::GPS_moveMapPaced(bool centre)
{
    constexpr qint64 lostAfterMs = 2000; // a page that never answers must not hold the map for good
    if (GPS_mapView && GPS_mapMoveSent.isValid() && !GPS_mapMoveSent.hasExpired(lostAfterMs)) {
        GPS_mapMoveWaiting = centre ? 1 : 0;
        return;
    }
    GPS_MAP(centre);
    // Before its page has loaded the map keeps the calls itself, the newest last.
    if (!GPS_mapLoaded)
        return;
    GPS_mapMoveSent.start();
    // Scripts run in order: this one's answer means the page has run the move. A page that goes
    // away answers with nothing, maybe while the window is being destroyed: then touch nothing.
    const auto ran = [this](const QVariant& result) {
        if (!result.isValid())
            return;
        GPS_mapMoveSent.invalidate();
        const int waiting = std::exchange(GPS_mapMoveWaiting, -1);
        if (waiting >= 0)
            GPS_moveMapPaced(waiting == 1);
    };
    GPS_mapView->page()->runJavaScript(QStringLiteral("0"), QWebEngineScript::MainWorld, ran);
}

void MainWindow::GPS_MAP(bool centre)
{
    // The labels hold unsigned degrees; the hemisphere letters give the sign.
    GPS_moveMap(GpsTrack::signedDegrees(ui->Weidu->text(), ui->Weidufangxiang->text()),
                GpsTrack::signedDegrees(ui->Jingdu->text(), ui->Jingdufangxiang->text()), centre);
}

void MainWindow::GPSsearchdriving_triggered()
{
    bool ok = false;
    const QString text = QInputDialog::getText(
        nullptr, QStringLiteral("终点"), QStringLiteral("请输入需要计算的终点地址；如：\"北京市长安街\"。"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const QString destination = GpsTrack::jsString(text);
    GPS_runJavaScript(QStringLiteral("Set_endaddress(%1)").arg(destination));
    GPS_runJavaScript(QStringLiteral("searchdriving(%1)").arg(destination));
}

void MainWindow::GPStrochoidpushButton_triggered()
{
    const QString path = fileChooser->openFileName(this, tr("read"));
    if (path.isEmpty())
        return;
    QFile file(path);
    QString error;
    if (!PickedFile::open(file, QIODevice::ReadOnly | QIODevice::Text, &error)) {
        ui->statusBar->showMessage(PickedFile::openFailedText(error));
        return;
    }
    QTextStream in(&file);
    GpsTrack::Replay replay;
    while (!in.atEnd()) {
        QCoreApplication::processEvents();
        // Lines without both keys, or without a position in range, are skipped.
        const auto position = GpsTrack::parse(in.readLine());
        if (!position || !GpsTrack::isPosition(*position))
            continue;
        const auto segment = replay.add(*position);
        if (!segment)
            continue;
        GPS_runJavaScript(QStringLiteral("Set_Latit2(%1)").arg(segment->first.latitude.trimmed()));
        GPS_runJavaScript(QStringLiteral("Set_Longit2(%1)").arg(segment->first.longitude.trimmed()));
        GPS_runJavaScript(QStringLiteral("Set_Latit3(%1)").arg(segment->second.latitude.trimmed()));
        GPS_runJavaScript(QStringLiteral("Set_Longit3(%1)").arg(segment->second.longitude.trimmed()));
        GPS_runJavaScript(QStringLiteral("saveway()"));
    }
    file.close();
    ui->statusBar->showMessage(tr("Success for read the data in the file"));
}
