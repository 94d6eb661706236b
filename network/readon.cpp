#include "readon.h"

#include <QTimer>

namespace {
const char timerName[] = "plaxReadOn";

QTimer* timerOf(const QObject* socket)
{
    return socket->findChild<QTimer*>(QLatin1String(timerName), Qt::FindDirectChildrenOnly);
}
} // namespace

bool ReadOn::pending(const QObject* socket)
{
    const QTimer* timer = timerOf(socket);
    return timer && timer->isActive();
}

void ReadOn::schedule(QObject* socket, std::function<void()> next)
{
    QTimer* timer = timerOf(socket);
    if (!timer) {
        timer = new QTimer(socket);
        timer->setObjectName(QLatin1String(timerName));
        timer->setSingleShot(true);
    }
    if (timer->isActive())
        return;
    // Each schedule brings the newest follow-up; the one connection is replaced.
    QObject::disconnect(timer, &QTimer::timeout, nullptr, nullptr);
    QObject::connect(timer, &QTimer::timeout, socket, std::move(next));
    timer->start(0);
}
