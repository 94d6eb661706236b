#include "widgets/screenrate.h"

ScreenRate::ScreenRate(std::function<void()> show, QObject* parent, int interval)
    : QObject(parent), m_show(std::move(show)), m_interval(interval)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ScreenRate::showNow);
}

void ScreenRate::post()
{
    if (m_timer.isActive())
        return;
    const qint64 since = m_sinceShown.isValid() ? m_sinceShown.elapsed() : m_interval;
    m_timer.start(since >= m_interval ? 0 : int(m_interval - since));
}

void ScreenRate::flush()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        showNow();
    }
}

void ScreenRate::showNow()
{
    m_sinceShown.start();
    ++m_shown;
    m_show();
}
