// Every sensor console in the whole window, fed through a pseudo-terminal at its board's rate:
// frames shown per second, event-loop lateness, GUI-thread CPU, and the bytes per second the
// console took beside what `cat` reads from the same pty at the same pace in the same run.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>
#include <unistd.h>

#include "sensors/i2cframe.h"
#include "sensors/quenlix_i2c_tools.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/quenlix_spectroscopy_spline.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "widgets/dashboard.h"
#include "widgets/mwaveview.h"

namespace {

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Plays a board from its own thread, paced by the wall clock: a slow window cannot slow it down.
class Board
{
public:
    Board(int fd, const std::function<QByteArray(int)>& record, double perSecond, int count)
        : m_thread([=] {
              const auto start = std::chrono::steady_clock::now();
              for (int i = 0; i < count && !m_stop; ++i) {
                  std::this_thread::sleep_until(start +
                                                std::chrono::microseconds(qint64(i * 1e6 / perSecond)));
                  const QByteArray bytes = record(i);
                  for (qsizetype done = 0; done < bytes.size() && !m_stop;) {
                      const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
                      done += std::max<ssize_t>(n, 0);
                      if (n <= 0)
                          std::this_thread::sleep_for(std::chrono::microseconds(200));
                  }
                  m_sent = i + 1;
              }
          })
    {
    }
    ~Board()
    {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<int> m_sent{0};

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Runs the window's event loop, as the program does, until `done` holds or the time is up
// (QTest's waits sleep between event passes, which would count as lateness).
bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(20);
    if (!done())
        loop.exec();
    return done();
}

int tofValue(int i)
{
    return 100 + (i * 97) % 3800;
}

struct Console
{
    QString tool;
    double perSecond;
    std::function<QByteArray(int)> record;
    std::function<QAbstractButton*(ConsoleRig&)> prepare; // sets the tab up, returns its Open button
    std::function<int(MainWindow&)> shown;                // frames drawn so far
    std::function<bool(MainWindow&, int last)> showsRecord;
};

Console console(int which)
{
    const auto tof = [](int page) {
        return Console{
            "TOF",
            10,
            [](int i) { return QByteArray::number(tofValue(i)).append(',').repeated(2268) + "\r\n"; },
            [page](ConsoleRig& rig) {
                rig.ui->TOFTYPEcomboBox->setCurrentIndex(3); // VL53L9, 54 x 42 zones
                rig.ui->TOFFilterComboBox->setCurrentIndex(0);
                rig.ui->TOFChartComboBox->setCurrentIndex(page);
                return rig.ui->TOFopencompushButton;
            },
            [](MainWindow& w) { return w.TOF_view->framesShown(); },
            [](MainWindow& w, int last) {
                const int v = tofValue(last);
                return w.TOF_view->data->labels.last()->text() == QString::number(v) &&
                       w.TOF_view->heatmap->values.last() == v &&
                       w.TOF_view->surface->dataArray->first()->first().y() ==
                           float(std::min(v, w.TOF_view->surface->yRange));
            }};
    };
    // Views without a counter of their own: their paint passes.
    static int paints = 0;
    const auto countPaints = [](QWidget* view) {
        paints = 0;
        struct Counter : QObject
        {
            using QObject::QObject;
            bool eventFilter(QObject*, QEvent* e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        };
        view->installEventFilter(new Counter(view));
    };
    switch (which) {
    case 0:
    case 1:
    case 2:
        return tof(which);
    case 3:
        return {"IMU", 100,
                [](int i) {
                    return QStringLiteral("W:%1, X:%2, Y:0, Z:0\r\n")
                        .arg(std::cos(i * 0.01), 0, 'f', 4)
                        .arg(std::sin(i * 0.01), 0, 'f', 4)
                        .toLatin1();
                },
                [=](ConsoleRig& rig) {
                    countPaints(rig.ui->label_imu_euler_w);
                    return rig.ui->imuopencompushButton;
                },
                [](MainWindow&) { return paints; },
                // The numbers follow every other frame: the first and, for an odd count, the last.
                [](MainWindow& w, int last) {
                    return w.ui->label_imu_euler_w->text() == QString::number(std::cos(last * 0.01), 'f', 2);
                }};
    case 4:
        return {"Environment",
                30,
                [](int i) {
                    return QList<QByteArray>{"Temperature:" + QByteArray::number(20 + i % 10) + "C\r\n",
                                             "Humidity:" + QByteArray::number(40 + i % 20) + "%\r\n",
                                             "CO2:" + QByteArray::number(400 + i) + "ppm\r\n"}
                        .at(i % 3);
                },
                [=](ConsoleRig& rig) {
                    countPaints(rig.w->ENV_co2Gauge);
                    return rig.ui->ENVopencompushButton;
                },
                [](MainWindow&) { return paints; },
                [](MainWindow& w, int last) {
                    return w.ENV_co2Gauge->getValue() == 400 + last - (last + 1) % 3;
                }};
    case 5:
        return {"Oscilloscope",
                50,
                [](int i) {
                    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:1;\r\n")
                        .arg(i % 100)
                        .arg(-i % 50)
                        .arg(i)
                        .toLatin1();
                },
                [=](ConsoleRig& rig) {
                    countPaints(rig.w->OSC_waveView->viewport());
                    return rig.ui->OSCopencompushButton;
                },
                [](MainWindow&) { return paints; },
                [](MainWindow& w, int last) {
                    const QList<QPointF> shown = w.OSC_waveView->channelPoints(WAVE_CH2);
                    return !shown.isEmpty() && shown.last().y() == last;
                }};
    case 6: // the AS7265X curve with the log shown, 18 channels a record, at the line's full speed
        return {"Spectra",
                11520.0 / (18 * 10),
                [](int i) {
                    QByteArray record;
                    for (int ch = 1; ch <= 18; ++ch)
                        record += QStringLiteral("F%1:%2\r\n")
                                      .arg(ch)
                                      .arg(i % 1000, 3, 10, QLatin1Char('0'))
                                      .toLatin1();
                    return record;
                },
                [=](ConsoleRig& rig) {
                    rig.ui->SpectraYPEcomboBox->setCurrentIndex(2);
                    rig.ui->SpectraportChartComboBox->setCurrentIndex(1);
                    rig.ui->SpectracheckBox->setChecked(true);
                    countPaints(rig.w->Spectra_view->curve());
                    return rig.ui->SpectraopencompushButton;
                },
                [](MainWindow&) { return paints; },
                [](MainWindow& w, int last) {
                    return w.Spectra_view->curve()->values().value(18) == (last % 1000) / 1000.0;
                }};
    case 7: // register blocks of 256 bytes at the line's full speed
        return {
            "i2cdump",
            11520.0 / 262,
            [](int i) { return I2cFrame::encode(I2cFrame::Start, QByteArray(255, char(i)) + char(i * 7)); },
            [](ConsoleRig& rig) { return rig.ui->i2cdumpopencompushButton; },
            [](MainWindow& w) { return w.I2Cdump_tools->framesShown(); },
            [](MainWindow& w, int last) {
                return w.I2Cdump_tools->valueLabels.last()->text() ==
                       QByteArray(1, char(last * 7)).toHex().toUpper();
            }};
    default: // this machine's lateness with the window shown and nothing streaming, for comparison
        return {"Environment",
                10,
                [](int) { return QByteArray(); },
                [](ConsoleRig& rig) { return rig.ui->ENVopencompushButton; },
                [](MainWindow&) { return 0; },
                [](MainWindow&, int) { return true; }};
    }
}

// With PLAX_BENCH_PAINTS set: which widgets paint how much, to find what repaints beyond its view.
class PaintAudit : public QObject
{
public:
    QMap<QString, qint64> area;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            const QRect r = static_cast<QPaintEvent*>(e)->rect();
            area[QString::fromLatin1(o->metaObject()->className()) + " " + o->objectName()] +=
                qint64(r.width()) * r.height();
        }
        return false;
    }
    ~PaintAudit() override
    {
        QList<std::pair<qint64, QString>> top;
        for (auto it = area.cbegin(); it != area.cend(); ++it)
            top.append({it.value(), it.key()});
        std::sort(top.rbegin(), top.rend());
        for (const auto& [a, name] : top.mid(0, 8))
            std::printf("   painted %10lld px  %s\n", a, qPrintable(name));
    }
};

} // namespace

class BenchConsoles : public QObject
{
    Q_OBJECT
private slots:
    void console_data()
    {
        QTest::addColumn<int>("which");
        int i = 0;
        for (const char* name : {"tof-2d", "tof-3d", "tof-depth", "imu", "environment", "oscilloscope",
                                 "spectra", "i2c", "idle-window"})
            QTest::newRow(name) << i++;
    }

    void console()
    {
        QFETCH(int, which);
        const double seconds = 6;
        const Console c = ::console(which);
        ConsoleRig rig(c.tool);
        MainWindow& w = *rig.w;
        w.resize(1280, 960);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QAbstractButton* open = c.prepare(rig);
        for (QWidget* page = open; page; page = page->parentWidget()) {
            if (rig.ui->tabWidget->indexOf(page) >= 0)
                rig.ui->tabWidget->setCurrentWidget(page);
        }
        ConsoleRig::press(open);
        QVERIFY(w.Serial_isOpen);
        qint64 received = 0;
        QObject::connect(w.Serial_thread, &ThreadSerial::Serial_read_Data, &w,
                         [&](const QByteArray& chunk) { received += chunk.size(); });

        // Lateness: how much later than asked a 10 ms timer fires while the board streams.
        QList<qint64> late;
        QElapsedTimer clock;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        qint64 due = 10;
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            late.append(std::max<qint64>(0, clock.elapsed() - due));
            due = clock.elapsed() + 10;
        });
        const int count = int(c.perSecond * seconds) + 1;
        const int shownBefore = c.shown(w);
        std::unique_ptr<PaintAudit> audit;
        if (qEnvironmentVariableIsSet("PLAX_BENCH_PAINTS")) {
            audit = std::make_unique<PaintAudit>();
            qApp->installEventFilter(audit.get());
        }
        const double cpuBefore = threadCpuSeconds();
        clock.start();
        probe.start(10);
        {
            Board board(rig.pty.masterFd(), c.record, c.perSecond, count);
            QVERIFY(runUntil([&] { return board.m_sent == count; }, int(seconds * 1000) + 5000));
        }
        const double streamed = clock.elapsed() / 1000.0;
        QVERIFY(runUntil([&] { return c.showsRecord(w, count - 1); }, 5000));
        const double taken = clock.elapsed() / 1000.0;
        probe.stop();
        const double cpu = threadCpuSeconds() - cpuBefore;
        const int shown = c.shown(w) - shownBefore;
        audit.reset();
        ConsoleRig::press(open);

        // The same stream at the same pace, read by cat from the same pty.
        QProcess cat;
        cat.start("cat", {rig.pty.slavePath()});
        QVERIFY(cat.waitForStarted());
        QElapsedTimer catClock;
        catClock.start();
        {
            Board board(rig.pty.masterFd(), c.record, c.perSecond, count);
            QVERIFY(runUntil([&] { return board.m_sent == count; }, int(seconds * 1000) + 5000));
        }
        const double catSeconds = catClock.elapsed() / 1000.0;
        runUntil([] { return false; }, 200); // cat drains the pty before it is stopped
        cat.terminate();                     // our own child, by its id
        cat.waitForFinished(2000);
        const double catRate = cat.readAllStandardOutput().size() / catSeconds;

        std::sort(late.begin(), late.end());
        const qint64 p99 = late.isEmpty() ? 0 : late.at(qsizetype(late.size() * 0.99));
        const double ownRate = received / taken;
        std::printf("%-13s %5.1f records/s sent, %5.1f frames shown/s, lateness p99 %3lld ms max %3lld ms, "
                    "GUI thread %3.0f %% of a core; %7.0f B/s taken vs cat %7.0f B/s: ratio %.2f\n",
                    QTest::currentDataTag(), count / streamed, shown / taken, p99,
                    late.isEmpty() ? 0 : late.last(), 100 * cpu / taken, ownRate, catRate,
                    catRate > 0 ? ownRate / catRate : 1.0);
    }
};

QTEST_MAIN(BenchConsoles)
#include "bench_consoles.moc"
