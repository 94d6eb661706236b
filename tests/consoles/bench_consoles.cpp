// Every sensor console in the whole window, mapped on an X server, fed through a pseudo-terminal
// at its board's rate: frames shown per second, event-loop lateness, and the whole process's CPU
// beside cutecom's showing the same stream from the same pty at the same pace in the same run.
#include <QLabel>
#include <QProcess>
#include <QTest>

#include <cmath>
#include <cstdio>

#include "sensors/i2cframe.h"
#include "sensors/quenlix_i2c_tools.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "serial/threadserial.h"
#include "tests/common/benchhelpers.h"
#include "tests/common/consolerig.h"
#include "tests/common/cutecompeer.h"
#include "tests/common/processcpu.h"
#include "widgets/dashboard.h"
#include "widgets/mwaveview.h"

namespace {

// Views without a frame counter of their own: their paint passes, counted from the first call on.
int paints(QWidget* view)
{
    struct Counter : QObject
    {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override { return (n += e->type() == QEvent::Paint, false); }
    };
    auto* counter = static_cast<Counter*>(view->findChild<QObject*>("paints", Qt::FindDirectChildrenOnly));
    if (!counter) {
        counter = new Counter;
        counter->setObjectName("paints");
        counter->setParent(view);
        view->installEventFilter(counter);
    }
    return counter->n;
}

// The tab's settings key, the board's records per second and its i-th record, the tab's set-up
// returning its Open button, the frames drawn so far, and whether the last record is on screen.
struct Console
{
    const char* tag;
    QString tool;
    double perSecond;
    std::function<QByteArray(int)> record;
    std::function<QAbstractButton*(Ui_MainWindow*)> prepare;
    std::function<int(MainWindow&)> shown;
    std::function<bool(MainWindow&, int last)> showsRecord;
};

QList<Console> consoles()
{
    // clang-format off
    const auto tofValue = [](int i) { return 100 + (i * 97) % 3800; };
    const auto tof = [=](const char* tag, int page) {
        return Console{tag, "TOF", 10,
            [=](int i) { return QByteArray::number(tofValue(i)).append(',').repeated(2268) + "\r\n"; },
            [page](Ui_MainWindow* ui) {
                ui->TOFTYPEcomboBox->setCurrentIndex(3); // VL53L9, 54 x 42 zones
                ui->TOFFilterComboBox->setCurrentIndex(0);
                ui->TOFChartComboBox->setCurrentIndex(page);
                return ui->TOFopencompushButton; },
            [](MainWindow& w) { return w.TOF_view->framesShown(); },
            [=](MainWindow& w, int last) {
                const int v = tofValue(last);
                return w.TOF_view->data->labels.last()->text() == QString::number(v)
                       && w.TOF_view->heatmap->values.last() == v
                       && w.TOF_view->surface->dataArray->first()->first().y()
                              == float(std::min(v, w.TOF_view->surface->yRange)); }};
    };
    return {
        tof("tof-2d", 0), tof("tof-3d", 1), tof("tof-depth", 2),
        // The numbers follow every other frame: the first and, for an odd count, the last.
        {"imu", "IMU", 100,
         [](int i) { return QStringLiteral("W:%1, X:%2, Y:0, Z:0\r\n").arg(std::cos(i * 0.01), 0, 'f', 4)
                                .arg(std::sin(i * 0.01), 0, 'f', 4).toLatin1(); },
         [](Ui_MainWindow* ui) { return ui->imuopencompushButton; },
         [](MainWindow& w) { return paints(w.ui->label_imu_euler_w); },
         [](MainWindow& w, int last) {
             return w.ui->label_imu_euler_w->text() == QString::number(std::cos(last * 0.01), 'f', 2); }},
        {"environment", "Environment", 30,
         [](int i) { return QList<QByteArray>{"Temperature:" + QByteArray::number(20 + i % 10) + "C\r\n",
                                              "Humidity:" + QByteArray::number(40 + i % 20) + "%\r\n",
                                              "CO2:" + QByteArray::number(400 + i) + "ppm\r\n"}.at(i % 3); },
         [](Ui_MainWindow* ui) { return ui->ENVopencompushButton; },
         [](MainWindow& w) { return paints(w.ENV_co2Gauge); },
         [](MainWindow& w, int last) { return w.ENV_co2Gauge->getValue() == 400 + last - (last + 1) % 3; }},
        {"oscilloscope", "Oscilloscope", 50,
         [](int i) { return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:1;\r\n").arg(i % 100).arg(-i % 50).arg(i).toLatin1(); },
         [](Ui_MainWindow* ui) { return ui->OSCopencompushButton; },
         [](MainWindow& w) { return paints(w.OSC_waveView->viewport()); },
         [](MainWindow& w, int last) {
             const QList<QPointF> shown = w.OSC_waveView->channelPoints(WAVE_CH2);
             return !shown.isEmpty() && shown.last().y() == last; }},
        // The AS7265X curve with the log shown, 18 channels a record, at the line's full speed.
        {"spectra", "Spectra", 11520.0 / (18 * 10),
         [](int i) {
             QByteArray record;
             for (int ch = 1; ch <= 18; ++ch)
                 record += QStringLiteral("F%1:%2\r\n").arg(ch).arg(i % 1000, 3, 10, QLatin1Char('0')).toLatin1();
             return record; },
         [](Ui_MainWindow* ui) {
             ui->SpectraYPEcomboBox->setCurrentIndex(2);
             ui->SpectraportChartComboBox->setCurrentIndex(1);
             ui->SpectracheckBox->setChecked(true);
             return ui->SpectraopencompushButton; },
         [](MainWindow& w) { return paints(w.Spectra_view->curve()); },
         [](MainWindow& w, int last) { return w.Spectra_view->curve()->values().value(18) == (last % 1000) / 1000.0; }},
        // Register blocks of 256 bytes at the line's full speed.
        {"i2c", "i2cdump", 11520.0 / 262,
         [](int i) { return I2cFrame::encode(I2cFrame::Start, QByteArray(255, char(i)) + char(i * 7)); },
         [](Ui_MainWindow* ui) { return ui->i2cdumpopencompushButton; },
         [](MainWindow& w) { return w.I2Cdump_tools->framesShown(); },
         [](MainWindow& w, int last) {
             return w.I2Cdump_tools->valueLabels.last()->text() == QByteArray(1, char(last * 7)).toHex().toUpper(); }},
    };
    // clang-format on
}

} // namespace

class BenchConsoles : public QObject
{
    Q_OBJECT
private slots:
    void console_data()
    {
        QTest::addColumn<int>("which");
        const QList<Console> all = consoles();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all.at(i).tag) << i;
    }

    void console()
    {
        QFETCH(int, which);
        const Console c = consoles().at(which);
        const int seconds = 12, count = int(c.perSecond * seconds) + 1;
        ConsoleRig rig(c.tool);
        MainWindow& w = *rig.w;
        w.resize(1280, 960);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QAbstractButton* open = c.prepare(rig.ui);
        for (QWidget* page = open; page; page = page->parentWidget())
            if (rig.ui->tabWidget->indexOf(page) >= 0)
                rig.ui->tabWidget->setCurrentWidget(page);
        // The board plays from its own thread at its pace: a slow window cannot slow it down.
        const auto play = [&] {
            std::atomic<bool> stop{false}, allSent{false};
            std::thread board([&, fd = rig.pty.masterFd()] {
                allSent = writePaced(fd, count, 1e6 / c.perSecond, c.record, &stop);
            });
            runUntil([&] { return bool(allSent); }, seconds * 1000 + 5000);
            stop = true;
            board.join();
            return bool(allSent);
        };
        // The stream into the console, then the same at the same pace into cutecom on the same
        // pty (the same work: a Qt window showing what a port sends) and into cat.
        qint64 received = 0;
        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        QObject::connect(w.Serial_thread, &ThreadSerial::Serial_read_Data, &w,
                         [&](const QByteArray& chunk) { received += chunk.size(); });
        const int shownBefore = c.shown(w);
        const double cpuBefore = processTreeCpuSeconds(getpid());
        LatenessProbe probe;
        QVERIFY(play());
        const double streamed = probe.clock.elapsed() / 1000.0;
        QVERIFY(runUntil([&] { return c.showsRecord(w, count - 1); }, 5000));
        const double taken = probe.clock.elapsed() / 1000.0,
                     cpu = processTreeCpuSeconds(getpid()) - cpuBefore;
        probe.timer.stop();
        const int shown = c.shown(w) - shownBefore;
        ConsoleRig::press(open);

        double cuteCpu = -1;
        CuteCom cutecom;
        if (CuteCom::available() && cutecom.start(rig.pty.slavePath(), false, false)) {
            const double before = processTreeCpuSeconds(cutecom.pid());
            QElapsedTimer clock;
            clock.start();
            QVERIFY(play());
            cuteCpu = 100 * (processTreeCpuSeconds(cutecom.pid()) - before) / (clock.elapsed() / 1000.0);
        }
        const double ownRate = received / taken;
        std::printf("%-13s %5.1f records/s sent, %5.1f frames shown/s, lateness over %lld ticks p99 %3lld ms "
                    "max %3lld ms, %7.0f B/s taken; process CPU %5.1f %% vs cutecom %5.1f %%: ratio %.2f\n",
                    c.tag, count / streamed, shown / taken, qint64(probe.late.size()), probe.p99(),
                    probe.worst(), ownRate, 100 * cpu / taken, cuteCpu,
                    cuteCpu > 0 ? 100 * cpu / taken / cuteCpu : 0.0);
    }
};

QTEST_MAIN(BenchConsoles)
#include "bench_consoles.moc"
