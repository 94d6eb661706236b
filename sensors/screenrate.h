#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Draws at screen rate: records are decoded as they arrive and `post()` says a new one waits;
// `show` then runs once within a refresh interval with whatever is newest by then. A burst of
// records between two paints costs one update of the views, and none is left behind.
class ScreenRate : public QObject
{
public:
    static constexpr int intervalMs = 16;

    ScreenRate(std::function<void()> show, QObject* parent);

    void post();
    // Shows a waiting record now (before the views change shape, say).
    void flush();
    // How often the views were brought up to date.
    int shown() const { return m_shown; }

private:
    void showNow();

    std::function<void()> m_show;
    QTimer m_timer;
    int m_shown = 0;
};
