#include "tools/CurrencyConverter.h"

#include <QDateTime>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimer>

#include "app/endpoints.h"
#include "app/settingsfile.h"
#include "app/toolswitches.h"
#include "tools/convert_exchangerates.h"

Currency_GetHtml::Result Currency_GetHtml::fetch(const QUrl& url, int timeoutMs, qint64 maxBytes)
{
    Result result;
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(url));

    QEventLoop loop;
    QString failure;
    auto fail = [&](const QString& why) {
        if (failure.isEmpty())
            failure = why;
        if (reply->isRunning())
            reply->abort();
    };
    auto take = [&] {
        result.body += reply->readAll();
        if (result.body.size() > maxBytes)
            fail(QStringLiteral("reply larger than %1 bytes").arg(maxBytes));
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBytes)
            fail(QStringLiteral("reply larger than %1 bytes").arg(maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { fail(QStringLiteral("no complete reply within %1 ms").arg(timeoutMs)); });
    deadline.start(timeoutMs);
    QTimer stopCheck;
    QObject::connect(&stopCheck, &QTimer::timeout, &loop, [&] {
        if (QThread::currentThread()->isInterruptionRequested())
            fail(QStringLiteral("stopped"));
    });
    stopCheck.start(50);

    if (!reply->isFinished())
        loop.exec();

    if (failure.isEmpty())
        take();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!failure.isEmpty())
        result.errorString = failure;
    else if (reply->error() != QNetworkReply::NoError)
        result.errorString = reply->errorString();
    else if (status != 200)
        result.errorString = QStringLiteral("HTTP status %1").arg(status);
    result.ok = result.errorString.isEmpty();
    if (!result.ok)
        result.body.clear();
    delete reply;
    return result;
}

QString Currency_GetHtml::getHtml(const QString& url)
{
    return QString::fromUtf8(fetch(QUrl(url, QUrl::TolerantMode)).body);
}

CurrencyConverter::CurrencyConverter(QObject* parent)
    : CurrencyConverter(ToolSwitches::settingsFilePath(), QUrl(Endpoints::ratesFeed(), QUrl::TolerantMode),
                        parent)
{
}

CurrencyConverter::CurrencyConverter(const QString& settingsPath, const QUrl& feed, QObject* parent)
    : QThread(parent), m_settingsPath(settingsPath), m_feed(feed)
{
    // Decided by the last stored download, so a failed or interrupted attempt is retried
    // at the next start; the start stamp is kept for whoever reads it.
    const QDateTime now = QDateTime::currentDateTime();
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    m_dayChanged =
        ExchangeRates::isNewDay(settings.value(QLatin1String(ExchangeRates::lastDownloadKey)), now);
    settings.setValue(QLatin1String(ExchangeRates::lastOpenedKey), now);
    SettingsFile::save(settings);
}

CurrencyConverter::~CurrencyConverter()
{
    requestInterruption();
    wait();
}

void CurrencyConverter::run()
{
    if (!m_dayChanged)
        return;
    const Currency_GetHtml::Result reply = Currency_GetHtml::fetch(m_feed, m_timeoutMs, m_maxBytes);
    if (isInterruptionRequested())
        return; // closing: leave the stored rates as they are
    processXmlData(reply.body);
}

void CurrencyConverter::processXmlData(const QByteArray& data)
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    ExchangeRates::store(settings, ExchangeRates::parseDocument(data), QDateTime::currentDateTime());
}

void CurrencyConverter::no_netwrok_write()
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    ExchangeRates::fillMissingFromBuiltin(settings);
    SettingsFile::save(settings);
}
