// The GPS tab's dialogs: satellite signals (charts fed by the worker) and the calculator.
#include "app/mainwindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QColor>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPolarChart>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTcpServer>
#include <QTcpSocket>
#include <QValueAxis>

#include <cmath>

#include "app/styles.h"
#include "gps/UTMconversion.h"
#include "gps/callout.h"
#include "gps/gpscalculate_form.h"
#include "gps/gpssignal.h"
#include "gps/gpssignal_form.h"

namespace {

struct Constellation
{
    const char* name;
    const char* prefix;
    const char* colour;
    int row;
    int column;
};

// Indexed by constellation code 1..5.
const Constellation constellations[6] = {{"", "", "", 0, 0},
                                         {"GPS", "GP", "#209FDF", 1, 0},
                                         {"BEIDOU", "GB", "#F96B18", 2, 0},
                                         {"GLONASS", "GL", "#99CA53", 2, 1},
                                         {"GALILEE", "GA", "#F9F553", 1, 1},
                                         {"QZSS", "GQ", "#8E3009", 0, 1}};

double numberIn(const QLineEdit* edit)
{
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString fixed8(double value)
{
    return std::isfinite(value) ? QString::number(value, 'f', 8) : QString();
}

} // namespace

// ---- Satellite dialog ----

void MainWindow::slotGPSsignal()
{
    if (GPS_signalOpen)
        return;
    GPS_signalThread = new GPS_Signal;
    GPS_signalThread->start();
    GPS_signalConnections = {
        connect(this, &MainWindow::GPS_Signal_Data_Over, GPS_signalThread, &GPS_Signal::Get_Data),
        connect(this, &MainWindow::GPS_GUI_Wait_Data_Over, GPS_signalThread, &GPS_Signal::Wait_Data),
        connect(GPS_signalThread, &GPS_Signal::ReturnResult, this, &MainWindow::GPS_SignalSetbuf)};

    GPS_signal.create(this, [this] { slotgpssignaldialogclose(); });
    connect(GPS_signalUi->GPSsignalCancel, &QPushButton::pressed, GPS_signalDialog, &QDialog::close);
    GPS_signalCallout = nullptr;
    GPS_signalBuildCharts();

    GPS_signalDialog->setWindowFlags((GPS_signalDialog->windowFlags() & ~Qt::WindowContextHelpButtonHint) |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    GPS_signalDialog->show();
    GPS_signalDialog->setStyleSheet(QString::fromLatin1(Styles::background));

    for (int p = 0; p < GPS_skySize; ++p) {
        GPS_skySeries[p] = nullptr;
        GPS_skyDrawn[p] = false;
    }
    for (int c = 1; c <= 5; ++c) {
        GPS_SignalGroup& g = GPS_signalGroups[c];
        for (int i = 0; i < 99; ++i)
            g.values.append(0);
        g.set = new QBarSet(QString::fromLatin1(constellations[c].name));
        g.series->append(g.set);
        g.set->append(g.values);
        g.set->setColor(QColor(QString::fromLatin1(constellations[c].colour)));
    }
    GPS_signalBusy = false;
}

void MainWindow::GPS_signalBuildCharts()
{
    GPS_skyChart = new QPolarChart();
    QList<QChart*> charts{GPS_skyChart};
    for (int c = 1; c <= 5; ++c) {
        GPS_SignalGroup& g = GPS_signalGroups[c];
        g.chart = new QChart();
        g.series = new QStackedBarSeries();
        g.series->setUseOpenGL(true);
        g.chart->addSeries(g.series);
        g.axis = new QBarCategoryAxis();
        g.axis->append(g.categories);
        g.axis->setTitleText(QString());
        g.axis->setTitleVisible(false);
        g.series->attachAxis(g.axis);
        g.chart->createDefaultAxes();
        g.chart->addAxis(g.axis, Qt::AlignBottom);
        for (QAbstractAxis* axis : g.chart->axes(Qt::Vertical, g.series)) {
            axis->setRange(0, 50);
            axis->setTitleText(QString());
            axis->setTitleVisible(false);
        }
        g.chart->legend()->setVisible(true);
        charts << g.chart;
    }
    GPS_skyAngularAxis = new QValueAxis();
    GPS_skyAngularAxis->setTickCount(25);
    GPS_skyAngularAxis->setLabelFormat(QStringLiteral("%d"));
    GPS_skyAngularAxis->setShadesVisible(true);
    GPS_skyAngularAxis->setShadesBrush(QBrush(QColor(0xF9, 0xF9, 0xFF)));
    GPS_skyRadialAxis = new QValueAxis();
    GPS_skyRadialAxis->setTickCount(10);
    GPS_skyRadialAxis->setLabelFormat(QStringLiteral("%d"));
    GPS_skyRadialAxis->setLabelsVisible(false);
    GPS_skyChart->addAxis(GPS_skyAngularAxis, QPolarChart::PolarOrientationAngular);
    GPS_skyChart->addAxis(GPS_skyRadialAxis, QPolarChart::PolarOrientationRadial);
    GPS_skyRadialAxis->setRange(0, 90);
    GPS_skyAngularAxis->setRange(0, 360);
    GPS_skyChart->legend()->setVisible(false);

    auto* grid = new QGridLayout();
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < charts.size(); ++i) {
        auto* view = new QChartView(charts[i], GPS_signalDialog);
        view->setRenderHint(QPainter::Antialiasing);
        const int row = i == 0 ? 0 : constellations[i].row;
        const int column = i == 0 ? 0 : constellations[i].column;
        grid->addWidget(view, row, column);
    }
    GPS_signalUi->horizontalLayout->addLayout(grid);
}

void MainWindow::slotgpssignaldialogclose()
{
    GPS_signalStopWorker();
    GPS_signalBusy = false;
    GPS_signalCallout = nullptr;
    GPS_skyChart = nullptr;
    for (int c = 1; c <= 5; ++c)
        GPS_signalGroups[c] = {GPS_signalGroups[c].values, GPS_signalGroups[c].categories};
    // Series taken off the sky chart have no parent: they go here.
    for (int p = 0; p < GPS_skySize; ++p) {
        if (GPS_skySeries[p] && !GPS_skyDrawn[p])
            delete GPS_skySeries[p];
        GPS_skySeries[p] = nullptr;
        GPS_skyDrawn[p] = false;
    }
    GPS_signal.release();
}

// Cuts the worker off and joins its thread; run() returns within one poll interval.
void MainWindow::GPS_signalStopWorker()
{
    for (const QMetaObject::Connection& c : std::as_const(GPS_signalConnections))
        disconnect(c);
    GPS_signalConnections.clear();
    if (!GPS_signalThread)
        return;
    GPS_signalThread->stop();
    GPS_signalThread->quit();
    if (GPS_signalThread->wait(2000)) {
        delete GPS_signalThread;
    } else {
        GPS_Signal* worker = GPS_signalThread;
        connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    }
    GPS_signalThread = nullptr;
}

void MainWindow::GPS_SignalSetbuf(nmea_slmsg* records)
{
    // A result queued before the dialog closed belongs to a worker that is gone.
    if (!GPS_signalOpen || !GPS_signalThread || records != GPS_signalThread->records())
        return;
    if (GPS_signalBusy) {
        emit GPS_GUI_Wait_Data_Over(false);
        GPS_signalBusy = false;
        return;
    }
    GPS_signalBusy = true;
    for (int k = 0; k < 4; ++k) {
        if (records[k].constellation != 0)
            GPS_Signaltip_Setting(records[k]);
    }
    emit GPS_GUI_Wait_Data_Over(false);
    GPS_signalBusy = false;
}

void MainWindow::GPS_Signaltip_Setting(nmea_slmsg record)
{
    const int p = record.prn;
    const int s = record.snr;
    const int c = record.constellation;
    if (!GPS_skySeries[p])
        GPS_skySeries[p] = new QScatterSeries();
    for (int g = 1; g <= 5; ++g)
        GPS_signalGroups[g].axis->clear();
    if (c >= 1 && c <= 5) {
        GPS_SignalGroup& g = GPS_signalGroups[c];
        const QString name = QString::fromLatin1(constellations[c].prefix) + QString::number(p);
        if (!g.categories.contains(name))
            g.categories.append(name);
        const int i = g.categories.indexOf(name);
        while (g.set->count() <= i)
            g.set->append(0);
        g.set->replace(i, s);
        if (s < 5) {
            g.set->remove(i);
            g.set->append(0);
            g.categories.removeAt(i);
        }
    }
    for (int g = 1; g <= 5; ++g)
        GPS_signalGroups[g].axis->append(GPS_signalGroups[g].categories);

    QScatterSeries* series = GPS_skySeries[p];
    if (GPS_skyDrawn[p] && s < 6) {
        series->clear();
        GPS_skyChart->removeSeries(series);
        GPS_skyDrawn[p] = false;
    } else if (!GPS_skyDrawn[p] && s > 5) {
        series->setName(QString::number(p));
        series->append(record.azimuth, 90 - record.elevation);
        GPS_skyChart->addSeries(series);
        series->attachAxis(GPS_skyRadialAxis);
        series->attachAxis(GPS_skyAngularAxis);
        connect(series, &QScatterSeries::hovered, this, &MainWindow::GPS_SignaltipSlot);
        GPS_skyDrawn[p] = true;
        if (c >= 1 && c <= 5)
            series->setColor(QColor(QString::fromLatin1(constellations[c].colour)));
    }
}

void MainWindow::GPS_SignaltipSlot(QPointF point, bool state)
{
    if (!GPS_skyChart)
        return;
    if (!GPS_signalCallout)
        GPS_signalCallout = new Callout(GPS_skyChart);
    const auto* series = qobject_cast<QScatterSeries*>(sender());
    const QString name = series ? series->name() : QString();
    if (!state) {
        GPS_signalCallout->hide();
        return;
    }
    GPS_signalCallout->setText(QStringLiteral("PRN number: %1 \nElevation: %2 \nAzimuth: %3 ")
                                   .arg(name)
                                   .arg(QString::number(90 - point.y(), 'g'))
                                   .arg(QString::number(point.x(), 'g')));
    GPS_signalCallout->setAnchor(point);
    GPS_signalCallout->setZValue(99);
    GPS_signalCallout->updateGeometry();
    GPS_signalCallout->show();
}

// ---- Calculator dialog ----

void MainWindow::slotGPScalculate()
{
    if (!GPS_calculate.create(this, [this] { slotgpscalculatedialogclose(); }))
        return;
    connect(GPS_calculateUi->GPScalculateCancel, &QPushButton::pressed, GPS_calculateDialog, &QDialog::close);
    connect(GPS_calculateUi->GPSpushButtoncalculate, &QPushButton::pressed, this,
            &MainWindow::GPScalculate_triggered);
    connect(GPS_calculateUi->utmtoll, &QPushButton::pressed, this,
            &MainWindow::GPSUTM_Conversions_LatLong_triggered);
    connect(GPS_calculateUi->lltoutm, &QPushButton::pressed, this,
            &MainWindow::GPSLatLong_Conversions_UTM_triggered);
    GPS_calculateDialog->setWindowFlags(GPS_calculateDialog->windowFlags() &
                                        ~Qt::WindowContextHelpButtonHint);
    GPS_calculateDialog->show();
    GPS_calculateDialog->setStyleSheet(QString::fromLatin1(Styles::background));
    GPS_calculateUi->utm_comboBox->addItems(ellipsoidNames());
    GPS_calculateUi->utm_comboBox->setCurrentIndex(22);
}

void MainWindow::slotgpscalculatedialogclose()
{
    GPS_calculate.release();
}

void MainWindow::GPScalculate_triggered()
{
    const Ui_GPScalculate* f = GPS_calculateUi;
    const double d = CalcDistance(numberIn(f->YlatlineEdit), numberIn(f->YlonglineEdit),
                                  numberIn(f->MlatlineEdit), numberIn(f->MlonglineEdit));
    f->GPSresults->setText(QString::number(d, 'g', 6));
}

void MainWindow::GPSLatLong_Conversions_UTM_triggered()
{
    const Ui_GPScalculate* f = GPS_calculateUi;
    const UTM utm = LatLong_to_UTM(f->utm_comboBox->currentIndex() + 1, numberIn(f->latlineEdit),
                                   numberIn(f->longlineEdit));
    f->utmElineEdit->setText(fixed8(utm.Easting));
    f->utmNlineEdit->setText(fixed8(utm.Northing));
    f->utmZlineEdit->setText(utm.Zone);
}

void MainWindow::GPSUTM_Conversions_LatLong_triggered()
{
    const Ui_GPScalculate* f = GPS_calculateUi;
    UTM utm;
    utm.Easting = numberIn(f->utmElineEdit);
    utm.Northing = numberIn(f->utmNlineEdit);
    utm.Zone = f->utmZlineEdit->text();
    const LatLong p = UTM_to_LatLong(f->utm_comboBox->currentIndex() + 1, utm);
    f->latlineEdit->setText(fixed8(p.latitude));
    f->longlineEdit->setText(fixed8(p.longitude));
}
