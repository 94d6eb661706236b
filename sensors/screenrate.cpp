#include "sensors/screenrate.h"

ScreenRate::ScreenRate(std::function<void()> show, QObject* parent) : QObject(parent), m_show(std::move(show))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ScreenRate::showNow);
}

void ScreenRate::post()
{
    if (!m_timer.isActive())
        m_timer.start();
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
    ++m_shown;
    m_show();
}
