// The GPS tab's web map: marker moves, route search and track replay.
#include "app/mainwindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextStream>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "app/mainwindow_form.h"
#include "app/pickedfile.h"
#include "gps/gpstrack.h"

#include <utility>

void MainWindow::GPS_runJavaScript(const QString& script)
{
    if (GPS_mapView)
        GPS_mapView->page()->runJavaScript(script, QWebEngineScript::MainWorld);
}

// Coordinates reach the page only as numbers: anything else would run as script.
void MainWindow::GPS_moveMap(const QString& latitude, const QString& longitude, bool centre)
{
    if (!GpsTrack::isPosition({latitude, longitude}))
        return;
    GPS_runJavaScript(QStringLiteral("Set_Latit(%1)").arg(latitude.trimmed()));
    GPS_runJavaScript(QStringLiteral("Set_Longit(%1)").arg(longitude.trimmed()));
    GPS_runJavaScript(centre ? QStringLiteral("Set_Location_First()") : QStringLiteral("Set_Location()"));
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
    if (!GPS_mapView)
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
