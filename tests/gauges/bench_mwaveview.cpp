// Feeds the waveform view as the oscilloscope console does: one sample per channel per line,
// each channel's whole capped list handed over. The loop turns after every line and lets
// a frame go by every 100 lines (a stream of several thousand lines a second, far above
// what a serial line carries). Prints the processor time per 1000 lines, frames included,
// while the lists grow and once they are capped, and the cost of a frame that shows all
// 20000 points of each channel after a fit to the data.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "widgets/mwaveview.h"

namespace {
double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MWaveView view;
    view.resize(900, 600);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;

    constexpr int Lines = 100000;
    constexpr int Channels = 4;
    constexpr int Report = 10000;
    QList<QPointF> points[Channels];
    const double start = cpuMs();
    double block = start;
    for (int line = 1; line <= Lines; ++line) {
        for (int ch = 0; ch < Channels; ++ch) {
            points[ch].append(QPointF(line, 20 * std::sin(line * 0.01 + ch)));
            if (points[ch].size() > 20000)
                points[ch].removeFirst();
            view.addSeriesData(WAVE_CH(ch), points[ch]);
        }
        QCoreApplication::processEvents();
        if (line % 100 == 0)
            QTest::qWait(20);
        if (line % Report == 0) {
            const double now = cpuMs();
            std::printf("lines %6d..%6d: %7.2f ms CPU per 1000 lines (%lld points per channel, %lld drawn)\n",
                        line - Report + 1, line, (now - block) / (Report / 1000.0),
                        qlonglong(view.channelPoints(WAVE_CH0).size()),
                        qlonglong(view.series(WAVE_CH0)->count()));
            block = now;
        }
    }
    std::printf("feeding: %.0f ms CPU for %d lines on %d channels; X axis %g..%g\n", cpuMs() - start, Lines,
                Channels, view.axisX()->min(), view.axisX()->max());

    QContextMenuEvent fit(QContextMenuEvent::Mouse, QPoint(400, 300));
    const double fitStart = cpuMs();
    QApplication::sendEvent(view.viewport(), &fit);
    QTest::qWait(40);
    std::printf("fit to all data and one frame: %.1f ms CPU (%lld of %lld points drawn per channel)\n",
                cpuMs() - fitStart, qlonglong(view.series(WAVE_CH0)->count()),
                qlonglong(view.channelPoints(WAVE_CH0).size()));
    return 0;
}
