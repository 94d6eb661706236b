// Feeds the waveform view as the oscilloscope console does: one sample per channel per line,
// each channel's whole capped list handed over, the loop turning after every line and a frame
// going by every 100 lines. Prints the processor time per 1000 lines while the lists grow and
// once they are capped, and the cost of a frame showing all 20000 points after a fit.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "widgets/mwaveview.h"

static double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MWaveView view;
    view.resize(900, 600);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    const auto drawn = [&] { return qlonglong(view.series(WAVE_CH0)->count()); };
    const auto kept = [&] { return qlonglong(view.channelPoints(WAVE_CH0).size()); };
    QList<QPointF> points[4];
    const double start = cpuMs();
    double block = start;
    for (int line = 1; line <= 40000; ++line) {
        for (int ch = 0; ch < 4; ++ch) {
            points[ch].append(QPointF(line, 20 * std::sin(line * 0.01 + ch)));
            if (points[ch].size() > 20000)
                points[ch].removeFirst();
            view.addSeriesData(WAVE_CH(ch), points[ch]);
        }
        QCoreApplication::processEvents();
        if (line % 100 == 0)
            QTest::qWait(20);
        if (line % 10000 == 0) {
            std::printf("lines %6d..%6d: %7.2f ms CPU per 1000 lines (%lld points per channel, %lld drawn)\n",
                        line - 9999, line, (cpuMs() - block) / 10, kept(), drawn());
            block = cpuMs();
        }
    }
    std::printf("feeding: %.0f ms CPU for 40000 lines on 4 channels; X axis %g..%g\n", cpuMs() - start,
                view.axisX()->min(), view.axisX()->max());
    QContextMenuEvent fit(QContextMenuEvent::Mouse, QPoint(400, 300),
                          view.viewport()->mapToGlobal(QPoint(400, 300)));
    const double fitStart = cpuMs();
    QApplication::sendEvent(view.viewport(), &fit);
    QTest::qWait(40);
    std::printf("fit to all data and one frame: %.1f ms CPU (%lld of %lld points drawn per channel)\n",
                cpuMs() - fitStart, drawn(), kept());
    return 0;
}
