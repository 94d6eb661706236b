// Every sensor console in the whole window, fed through a pseudo-terminal at its board's rate:
// frames shown per second, event-loop lateness, GUI-thread CPU, and the bytes per second the
// console took beside what `cat` reads from the same pty at the same rate in the same run.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// Plays a board from its own thread, paced by the wall clock, so a slow window cannot slow the
// board down (a real UART does not wait either).
class Board
{
public:
    Board(int fd, std::function<QByteArray(int)> record, double perSecond, int count)
        : m_thread([=] {
              const auto start = std::chrono::steady_clock::now();
              for (int i = 0; i < count && !m_stop; ++i) {
                  std::this_thread::sleep_until(start + std::chrono::microseconds(qint64(i * 1e6 / perSecond)));
                  const QByteArray bytes = record(i);
                  for (qsizetype done = 0; done < bytes.size() && !m_stop;) {
                      const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
                      if (n > 0)
                          done += n;
                      else
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
    int sent() const { return m_sent; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_sent{0};
    std::thread m_thread;
};

// Counts paint passes of a widget and its children (one pass may paint many children).
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* view) : m_view(view) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int passes = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(object);
            if ((widget == m_view || m_view->isAncestorOf(widget)) && m_clock.elapsed() >= 2) {
                ++passes;
                m_clock.restart();
            }
        }
        return false;
    }

private:
    QWidget* m_view;
    QElapsedTimer m_clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
};

struct Console
{
    QString tool;
    double perSecond;
    std::function<QByteArray(int)> record;
    // Sets the tab up and returns its Open button and a counter of frames shown.
    std::function<QAbstractButton*(ConsoleRig&)> prepare;
    std::function<int(ConsoleRig&)> shown;
    // Whether the view shows record `last`.
    std::function<bool(ConsoleRig&, int last)> showsRecord;
};

int tofValue(int i)
{
    return 100 + (i * 97) % 3800;
}

QByteArray tofFrame(int i)
{
    return QByteArray::number(tofValue(i)).append(',').repeated(2268) + "\r\n";
}

QByteArray i2cFrame(int i)
{
    QByteArray payload(256, char(i));
    payload[0] = char(i * 7);
    return I2cFrame::encode(I2cFrame::Start, payload);
}

QAbstractButton* tofPage(ConsoleRig& rig, int page)
{
    rig.ui->TOFTYPEcomboBox->setCurrentIndex(3); // VL53L9, 54 x 42 zones
    rig.ui->TOFFilterComboBox->setCurrentIndex(0);
    rig.ui->TOFChartComboBox->setCurrentIndex(page);
    return rig.ui->TOFopencompushButton;
}

std::shared_ptr<PaintCounter> counter;

Console tofConsole(int page)
{
    Console c{"TOF", 10, tofFrame, nullptr, nullptr, nullptr};
    c.prepare = [page](ConsoleRig& rig) {
        QAbstractButton* open = tofPage(rig, page);
        return open;
    };
    c.shown = [](ConsoleRig& rig) { return rig.w->TOF_view->framesShown(); };
    c.showsRecord = [page](ConsoleRig& rig, int last) {
        const int v = tofValue(last);
        quenlix_tof* view = rig.w->TOF_view;
        switch (page) {
        case 0:
            return view->data->labels.first()->text() == QString::number(v) &&
                   view->data->labels.last()->text() == QString::number(v);
        case 1: // drawn no higher than the range
            return view->surface->dataArray->first()->first().y() == float(std::min(v, view->surface->yRange));
        default:
            return view->heatmap->values.first() == v && view->heatmap->values.last() == v;
        }
    };
    return c;
}

QString imuW(int i)
{
    return QString::number(std::cos(i * 0.01), 'f', 4);
}

// Runs the window's event loop, as the program does, until `done` holds or the time is up.
// (QTest's waits sleep between event passes, which would show up as lateness.)
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

} // namespace

class BenchConsoles : public QObject
{
    Q_OBJECT
private slots:
    void console_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<double>("seconds");
        const char* names[] = {"tof-2d", "tof-3d", "tof-depth", "imu", "environment", "oscilloscope", "spectra", "i2c",
                               "idle-window"};
        for (int i = 0; i < 9; ++i)
            QTest::newRow(names[i]) << i << 6.0;
    }

    void console()
    {
        QFETCH(int, which);
        QFETCH(double, seconds);
        Console c = consoleFor(which);
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
        QCoreApplication::processEvents();
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
        qint64 expected = 10;
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            late.append(std::max<qint64>(0, clock.elapsed() - expected));
            expected = clock.elapsed() + 10;
        });
        const int count = int(c.perSecond * seconds) + 1;
        const int shownBefore = c.shown(rig);
        const double cpuBefore = threadCpuSeconds();
        clock.start();
        probe.start(10);
        {
            Board board(rig.pty.masterFd(), c.record, c.perSecond, count);
            QVERIFY(runUntil([&] { return board.sent() == count; }, int(seconds * 1000) + 5000));
        }
        const double streamed = clock.elapsed() / 1000.0;
        QVERIFY(runUntil([&] { return c.showsRecord(rig, count - 1); }, 5000));
        const double taken = clock.elapsed() / 1000.0;
        probe.stop();
        const double cpu = threadCpuSeconds() - cpuBefore;
        const int shown = c.shown(rig) - shownBefore;
        ConsoleRig::press(open);

        // The same stream at the same pace, read by cat from the same pty.
        QProcess cat;
        cat.start("cat", {rig.pty.slavePath()});
        QVERIFY(cat.waitForStarted());
        QElapsedTimer catClock;
        catClock.start();
        {
            Board board(rig.pty.masterFd(), c.record, c.perSecond, count);
            QTRY_VERIFY_WITH_TIMEOUT(board.sent() == count, int(seconds * 1000) + 5000);
        }
        const double catSeconds = catClock.elapsed() / 1000.0;
        QTest::qWait(200); // let cat drain the pty before it is stopped
        cat.terminate(); // our own child, by its id
        cat.waitForFinished(2000);
        std::sort(late.begin(), late.end());
        const qint64 p99 = late.isEmpty() ? 0 : late.at(qsizetype(late.size() * 0.99));
        const qint64 worst = late.isEmpty() ? 0 : late.last();
        const double ownRate = received / taken;
        const qint64 catBytes = cat.readAllStandardOutput().size();
        const double catRate = catBytes > 0 ? catBytes / catSeconds : received / streamed;
        std::printf("%-13s %5.1f records/s sent, %5.1f frames shown/s, lateness p99 %3lld ms max %3lld ms, "
                    "GUI thread %3.0f %% of a core; %7.0f B/s taken vs cat %7.0f B/s: ratio %.2f\n",
                    QTest::currentDataTag(), count / streamed, shown / taken, p99, worst, 100 * cpu / taken,
                    ownRate, catRate, ownRate / catRate);
        counter.reset();
    }

private:
    Console consoleFor(int which)
    {
        switch (which) {
        case 0:
        case 1:
        case 2:
            return tofConsole(which);
        case 3:
            return {"IMU", 100,
                    [](int i) {
                        return QStringLiteral("W:%1, X:%2, Y:0, Z:0\r\n")
                            .arg(imuW(i), QString::number(std::sin(i * 0.01), 'f', 4))
                            .toLatin1();
                    },
                    [](ConsoleRig& rig) {
                        counter = std::make_shared<PaintCounter>(rig.ui->label_imu_euler_w);
                        return rig.ui->imuopencompushButton;
                    },
                    [](ConsoleRig&) { return counter->passes; },
                    // The numbers follow every other frame: the first and the last of an odd count.
                    [](ConsoleRig& rig, int last) {
                        return rig.ui->label_imu_euler_w->text() == QString::number(std::cos(last * 0.01), 'f', 2);
                    }};
        case 4:
            return {"Environment", 30,
                    [](int i) {
                        switch (i % 3) {
                        case 0:
                            return QByteArray("Temperature:") + QByteArray::number(20 + i % 10) + "C\r\n";
                        case 1:
                            return QByteArray("Humidity:") + QByteArray::number(40 + i % 20) + "%\r\n";
                        default:
                            return QByteArray("CO2:") + QByteArray::number(400 + i) + "ppm\r\n";
                        }
                    },
                    [](ConsoleRig& rig) {
                        counter = std::make_shared<PaintCounter>(rig.w->ENV_co2Gauge);
                        return rig.ui->ENVopencompushButton;
                    },
                    [](ConsoleRig&) { return counter->passes; },
                    [](ConsoleRig& rig, int last) {
                        return last % 3 != 2 || rig.w->ENV_co2Gauge->getValue() == 400 + last;
                    }};
        case 5:
            return {"Oscilloscope", 50,
                    [](int i) {
                        return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:1;\r\n").arg(i % 100).arg(-i % 50).arg(i).toLatin1();
                    },
                    [](ConsoleRig& rig) {
                        counter = std::make_shared<PaintCounter>(rig.w->OSC_waveView);
                        return rig.ui->OSCopencompushButton;
                    },
                    [](ConsoleRig&) { return counter->passes; },
                    [](ConsoleRig& rig, int last) {
                        return !rig.w->OSC_points[2].isEmpty() && rig.w->OSC_points[2].last().y() == last;
                    }};
        case 6:
            // AS7265X curve with the log shown; 18 channels a record at the line's full speed.
            return {"Spectra", 11520.0 / (18 * 10),
                    [](int i) {
                        QByteArray record;
                        for (int ch = 1; ch <= 18; ++ch)
                            record += "F" + QByteArray::number(ch) + ":" + QByteArray::number(i % 1000).rightJustified(3, '0') + "\r\n";
                        return record;
                    },
                    [](ConsoleRig& rig) {
                        rig.ui->SpectraYPEcomboBox->setCurrentIndex(2);
                        rig.ui->SpectraportChartComboBox->setCurrentIndex(1);
                        rig.ui->SpectracheckBox->setChecked(true);
                        counter = std::make_shared<PaintCounter>(rig.w->Spectra_view);
                        return rig.ui->SpectraopencompushButton;
                    },
                    [](ConsoleRig&) { return counter->passes; },
                    [](ConsoleRig& rig, int last) {
                        return rig.w->Spectra_view->curve()->values().value(18) == (last % 1000) / 1000.0;
                    }};
        case 8: // the lateness of this machine with nothing streaming, for comparison
            return {"Environment", 10, [](int) { return QByteArray(); },
                    [](ConsoleRig& rig) { return rig.ui->ENVopencompushButton; }, [](ConsoleRig&) { return 0; },
                    [](ConsoleRig&, int) { return true; }};
        default:
            return {"i2cdump", 11520.0 / 262, i2cFrame,
                    [](ConsoleRig& rig) { return rig.ui->i2cdumpopencompushButton; },
                    [](ConsoleRig& rig) { return rig.w->I2Cdump_tools->framesShown(); },
                    [](ConsoleRig& rig, int last) {
                        const QList<QLabel*>& labels = rig.w->I2Cdump_tools->valueLabels;
                        return labels.first()->text() == QByteArray(1, char(last * 7)).toHex().toUpper() &&
                               labels.last()->text() == QByteArray(1, char(last)).toHex().toUpper();
                    }};
        }
    }
};

QTEST_MAIN(BenchConsoles)
#include "bench_consoles.moc"
