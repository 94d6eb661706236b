#include "widgets/framestatus.h"

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int frameMs = 16;

class PendingStatus : public QObject
{
public:
    explicit PendingStatus(QStatusBar* bar) : QObject(bar), m_bar(bar), m_timer(new QTimer(this))
    {
        setObjectName(QStringLiteral("frameStatus"));
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, &PendingStatus::showNow);
        // A text someone else shows meanwhile is newer than the one waiting here.
        connect(bar, &QStatusBar::messageChanged, this, [this](const QString& shown) {
            if (shown != m_text)
                m_timer->stop();
        });
    }

    void show(const QString& text)
    {
        m_text = text;
        if (m_timer->isActive())
            return;
        if (!m_sinceShown.isValid() || m_sinceShown.elapsed() >= frameMs)
            showNow();
        else
            m_timer->start(frameMs - int(m_sinceShown.elapsed()));
    }

private:
    void showNow()
    {
        m_sinceShown.start();
        m_bar->showMessage(m_text);
    }

    QStatusBar* m_bar;
    QString m_text;
    QTimer* m_timer;
    QElapsedTimer m_sinceShown;
};

} // namespace

void FrameStatus::show(QStatusBar* bar, const QString& text)
{
    auto* pending = bar->findChild<PendingStatus*>(QStringLiteral("frameStatus"), Qt::FindDirectChildrenOnly);
    if (!pending)
        pending = new PendingStatus(bar);
    pending->show(text);
}
