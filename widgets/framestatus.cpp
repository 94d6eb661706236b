#include "widgets/framestatus.h"

#include <QStatusBar>

#include "widgets/screenrate.h"

namespace {

class PendingStatus : public QObject
{
public:
    explicit PendingStatus(QStatusBar* bar)
        : QObject(bar), m_screen(new ScreenRate([this, bar] { bar->showMessage(m_text); }, this,
                                                ScreenRate::readerIntervalMs))
    {
        setObjectName(QStringLiteral("frameStatus"));
        // A text someone else shows meanwhile is newer than the one waiting here.
        connect(bar, &QStatusBar::messageChanged, this, [this](const QString& shown) {
            if (shown != m_text)
                m_screen->cancel();
        });
    }

    void show(const QString& text)
    {
        m_text = text;
        m_screen->post();
    }

private:
    QString m_text;
    ScreenRate* m_screen;
};

} // namespace

void FrameStatus::show(QStatusBar* bar, const QString& text)
{
    auto* pending = bar->findChild<PendingStatus*>(QStringLiteral("frameStatus"), Qt::FindDirectChildrenOnly);
    if (!pending)
        pending = new PendingStatus(bar);
    pending->show(text);
}
