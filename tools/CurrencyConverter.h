#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <QUrl>

// Blocking HTTP GET for a worker thread: runs a local event loop until the reply ends,
// the time-out passes, the body grows past the cap, or the calling thread is asked to
// stop (QThread::requestInterruption).
class Currency_GetHtml : public QObject
{
    Q_OBJECT
public:
    struct Result
    {
        bool ok = false; // status 200, no network error, complete body within the cap
        QByteArray body;
        QString errorString;
    };

    static constexpr int defaultTimeoutMs = 20000;
    static constexpr qint64 defaultMaxBytes = 1024 * 1024;

    static Result fetch(const QUrl& url, int timeoutMs = defaultTimeoutMs, qint64 maxBytes = defaultMaxBytes);
    // The body as UTF-8 text; empty when the fetch failed.
    static QString getHtml(const QString& url);
};

// Once a day, stores the euro reference rates in the settings file. The constructor (on
// the caller's thread) stamps "lastOpenedDateTime" and decides whether today's rates are
// still missing; run() then downloads and stores them, or keeps the stored rates and
// fills only missing codes from the built-in table. Delete only after wait().
class CurrencyConverter : public QThread
{
    Q_OBJECT
public:
    // The program's settings file and rate feed.
    explicit CurrencyConverter(QObject* parent = nullptr);
    CurrencyConverter(const QString& settingsPath, const QUrl& feed, QObject* parent = nullptr);
    ~CurrencyConverter() override;

    bool dayChanged() const { return m_dayChanged; }
    void setTimeout(int ms) { m_timeoutMs = ms; }
    void setMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    // Reads a rate document and stores it, or falls back (see ExchangeRates::store).
    void processXmlData(const QByteArray& data);
    // Fills the codes that have no usable stored rate from the built-in table.
    void no_netwrok_write();

protected:
    void run() override;

private:
    QString m_settingsPath;
    QUrl m_feed;
    bool m_dayChanged = false;
    int m_timeoutMs = Currency_GetHtml::defaultTimeoutMs;
    qint64 m_maxBytes = Currency_GetHtml::defaultMaxBytes;
};
