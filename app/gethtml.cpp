#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

#include "app/check_update.h"

QString GetHtml::getHtml(QString url)
{
    return getHtml(url, timeoutMs);
}

QString GetHtml::getHtml(const QString& url, int waitMs)
{
    QNetworkAccessManager manager;
    const std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(QUrl(url, QUrl::TolerantMode))));

    QByteArray body;
    bool cut = false;
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        body += reply->read(maxBodyBytes - body.size());
        if (body.size() >= maxBodyBytes && !cut) {
            cut = true; // enough for any version page; the rest is not fetched
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(waitMs);
    if (!reply->isFinished())
        loop.exec();

    if (!reply->isFinished()) {
        reply->abort(); // the server is silent or too slow
        return QString();
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return QString();
    if (!cut) {
        if (reply->error() != QNetworkReply::NoError)
            return QString();
        body += reply->read(maxBodyBytes - body.size());
    }
    return QString::fromUtf8(body);
}
