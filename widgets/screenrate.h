#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Draws at screen rate: records are decoded (or text gathered) as they arrive and `post()`
// says something new waits; `show` then runs with whatever is newest by then. After a quiet
// spell it runs on the next pass of the event loop; while posts keep coming, at most once an
// interval. A burst between two paints costs one update of the views, and none is left behind.
class ScreenRate : public QObject
{
public:
    // Gauges, charts and pictures move at the screen's rate.
    static constexpr int intervalMs = 16;
    // Text is read, not watched: logs, counters and status texts need no more than 20 updates a
    // second, and each update of a window that Qt composes through OpenGL costs a whole frame.
    static constexpr int readerIntervalMs = 50;

    ScreenRate(std::function<void()> show, QObject* parent, int interval = intervalMs);

    void post();
    // Shows what waits now (before the views change shape, say).
    void flush();
    // Forgets what waits: something newer has been shown another way.
    void cancel() { m_timer.stop(); }
    // How often the views were brought up to date.
    int shown() const { return m_shown; }

private:
    void showNow();

    std::function<void()> m_show;
    QTimer m_timer{this};
    QElapsedTimer m_sinceShown;
    int m_interval;
    int m_shown = 0;
};
