#include <QtTest>

#include <QSettings>
#include <QSslCertificate>
#include <QSslConfiguration>

#include "tests/common/testhome.h"
#include "tests/convert/feedserver.h"
#include "tools/CurrencyConverter.h"
#include "tools/convert_exchangerates.h"

using namespace ExchangeRates;

namespace {

QVariant storedValue(const QString& file, const QString& code)
{
    QSettings s(file, QSettings::IniFormat);
    return s.value(QStringLiteral("ExchangeRates/") + code);
}

void storeRates(const QString& file, const QList<QPair<QString, QVariant>>& values)
{
    QSettings s(file, QSettings::IniFormat);
    for (const auto& v : values)
        s.setValue(v.first, v.second);
}

// Runs one rate check to its end, as the panel does at start-up.
bool runCheck(CurrencyConverter& check)
{
    check.start();
    return check.wait(15000);
}

} // namespace

class tst_ExchangeRates : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QString>("rates"); // code=rate pairs that must be read, nothing else
        const QByteArray head = "<Envelope xmlns='urn:x'><Cube><Cube time='2024-03-01'>";
        const QByteArray tail = "</Cube></Cube></Envelope>";
        QTest::newRow("one-usd") << head + "<Cube currency='USD' rate='1.1'/>" + tail << true << "USD=1.1";
        QTest::newRow("feed-layout-thirty")
            << feedDocument(scaledBuiltinRates(1.0)) << true << "USD=1.0883 JPY=159.58";
        QTest::newRow("exponent-rate")
            << head + "<Cube currency='JPY' rate='1.5958e2'/>" + tail << true << "JPY=159.58";
        QTest::newRow("cube-without-rate-skipped")
            << head + "<Cube currency='USD'/><Cube currency='GBP' rate='0.85'/>" + tail << true << "GBP=0.85";
        QTest::newRow("cube-without-currency-skipped")
            << head + "<Cube rate='2'/><Cube currency='GBP' rate='0.85'/>" + tail << true << "GBP=0.85";
        QTest::newRow("other-letter-case-ignored")
            << head + "<cube currency='USD' rate='1.1'/><Cube currency='GBP' rate='0.85'/>" + tail << true
            << "GBP=0.85";
        QTest::newRow("bad-codes-and-rates-only")
            << head +
                   "<Cube currency='usd' rate='1'/><Cube currency='USDX' rate='1'/>"
                   "<Cube currency='USD' rate='abc'/><Cube currency='GBP' rate='0'/>"
                   "<Cube currency='JPY' rate='-3'/><Cube currency='CHF' rate='inf'/>" +
                   tail
            << false << "";
        QTest::newRow("well-formed-no-cube")
            << QByteArray("<html><body>maintenance</body></html>") << false << "";
        QTest::newRow("empty-body") << QByteArray() << false << "";
        QTest::newRow("not-xml") << QByteArray("Service Unavailable") << false << "";
        QTest::newRow("truncated-after-rates")
            << feedDocument(scaledBuiltinRates(2.0)).left(700) << false << "";
    }
    void parse()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, usable);
        QFETCH(QString, rates);
        const Document doc = parseDocument(document);
        QCOMPARE(doc.usable(), usable);
        if (!usable)
            QVERIFY(!doc.errorString.isEmpty());
        if (!rates.isEmpty()) {
            for (const QString& pair : rates.split(' ')) {
                const QStringList kv = pair.split('=');
                QVERIFY2(doc.rates.contains(kv[0]), qPrintable(kv[0]));
                QCOMPARE(doc.rates.value(kv[0]), kv[1].toDouble());
            }
            if (!rates.contains(' '))
                QCOMPARE(doc.rates.size(), 1);
        }
    }

    // A usable document overwrites only its own codes; anything else keeps the stored
    // rates and fills only the missing codes from the built-in table.
    void store_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QVariant>("usd"); // afterwards
        QTest::addColumn<QVariant>("jpy"); // afterwards
        QTest::addColumn<QVariant>("bad"); // "XYZ" afterwards (not a card currency)
        const QByteArray one = "<E><Cube><Cube currency='USD' rate='1.1'/></Cube></E>";
        QTest::newRow("one-usd-no-table") << one << true << QVariant(1.1) << QVariant() << QVariant("5");
        QTest::newRow("empty-keeps-and-fills")
            << QByteArray() << false << QVariant(2.0) << QVariant(159.58) << QVariant("5");
        QTest::newRow("truncated-keeps-and-fills") << feedDocument(scaledBuiltinRates(3.0)).left(700) << false
                                                   << QVariant(2.0) << QVariant(159.58) << QVariant("5");
    }
    void store()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, stored);
        QFETCH(QVariant, usd);
        QFETCH(QVariant, jpy);
        QFETCH(QVariant, bad);
        TestHome home;
        const QString file = home.settingsFile();
        storeRates(file, {{"ExchangeRates/USD", 2.0}, {"ExchangeRates/XYZ", "5"}});
        const QDateTime now = QDateTime::currentDateTime();
        {
            QSettings s(file, QSettings::IniFormat);
            QCOMPARE(ExchangeRates::store(s, parseDocument(document), now), stored);
        }
        QCOMPARE(storedValue(file, "USD").toDouble(), usd.toDouble());
        QCOMPARE(storedValue(file, "JPY").isValid(), jpy.isValid());
        if (jpy.isValid())
            QCOMPARE(storedValue(file, "JPY").toDouble(), jpy.toDouble());
        QCOMPARE(storedValue(file, "XYZ"), bad);
        QCOMPARE(storedValue(file, "END").toString(), QStringLiteral("0"));
        QSettings s(file, QSettings::IniFormat);
        QCOMPARE(s.value(lastDownloadKey).toDateTime().isValid(), stored);
    }

    void storedRateLookup_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("found");
        QTest::newRow("number") << "1.0883" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("negative") << "-1" << false;
        QTest::newRow("text") << "abc" << false;
        QTest::newRow("missing") << "" << false;
    }
    void storedRateLookup()
    {
        QFETCH(QString, stored);
        QFETCH(bool, found);
        TestHome home;
        if (!stored.isEmpty())
            storeRates(home.settingsFile(), {{"ExchangeRates/USD", stored}});
        QCOMPARE(bool(storedRate(QStringLiteral("USD"))), found);
        QCOMPARE(*storedRate(QStringLiteral("EUR")), 1.0); // the base, never looked up
    }

    void newDay_data()
    {
        QTest::addColumn<QVariant>("lastDownload");
        QTest::addColumn<bool>("newDay");
        const QDateTime now = QDateTime::currentDateTime();
        QTest::newRow("never") << QVariant() << true;
        QTest::newRow("earlier-today") << QVariant(now.addSecs(-1)) << (now.addSecs(-1).date() != now.date());
        QTest::newRow("yesterday") << QVariant(now.addDays(-1)) << true;
        QTest::newRow("clock-set-back") << QVariant(now.addDays(1)) << true;
        QTest::newRow("unreadable") << QVariant("not a date") << true;
    }
    void newDay()
    {
        QFETCH(QVariant, lastDownload);
        QFETCH(bool, newDay);
        TestHome home;
        if (lastDownload.isValid())
            storeRates(home.settingsFile(), {{lastDownloadKey, lastDownload}});
        const QDateTime before = QDateTime::currentDateTime();
        CurrencyConverter check(home.settingsFile(), QUrl("http://127.0.0.1:9/never-started"));
        QCOMPARE(check.dayChanged(), newDay);
        // Every start is stamped, new day or not, before the thread runs.
        QSettings s(home.settingsFile(), QSettings::IniFormat);
        QVERIFY(s.value(lastOpenedKey).toDateTime() >= before.addMSecs(-1000));
    }

    // First start downloads; a restart on the same day asks nothing and only stamps.
    void downloadOncePerDay()
    {
        TestHome home;
        FeedServer server;
        QVERIFY(server.start());
        QVERIFY(server.putFile("eurofxref-daily.xml", feedDocument({{"USD", 1.1}, {"JPY", 150.0}})));
        qputenv("PLAX_RATES_URL", server.url("eurofxref-daily.xml").toString().toLatin1());
        auto restore = qScopeGuard([] { qputenv("PLAX_RATES_URL", "http://127.0.0.1:9/x"); });

        CurrencyConverter first; // the program's own settings file and feed address
        QVERIFY(first.dayChanged());
        QVERIFY(runCheck(first));
        QTRY_COMPARE(server.requestCount(), 1);
        QVERIFY(QFile::exists(home.path() + "/.config/Quenlix/PLAX/plax_config.ini"));
        QCOMPARE(storedValue(home.settingsFile(), "USD").toDouble(), 1.1);
        QCOMPARE(storedValue(home.settingsFile(), "JPY").toDouble(), 150.0);
        QVERIFY(!storedValue(home.settingsFile(), "GBP").isValid()); // no table value mixed in
        QCOMPARE(storedValue(home.settingsFile(), "END").toString(), QStringLiteral("0"));
        QSettings s(home.settingsFile(), QSettings::IniFormat);
        const QDateTime firstStamp = s.value(lastOpenedKey).toDateTime();
        QCOMPARE(s.value(lastDownloadKey).toDateTime().date(), QDate::currentDate());

        QTest::qWait(20); // a later stamp than the first
        CurrencyConverter second;
        QVERIFY(!second.dayChanged());
        QVERIFY(runCheck(second));
        // A request of our own after it: the server's log shows it as the second one.
        QVERIFY(Currency_GetHtml::fetch(server.url("eurofxref-daily.xml")).ok);
        QTRY_COMPARE(server.requestCount(), 2);
        s.sync();
        QVERIFY(s.value(lastOpenedKey).toDateTime() > firstStamp);
    }

    // A failed fetch or unusable document keeps what an earlier day stored, fills the
    // missing codes from the table, and is tried again at the next start.
    void failedDownloads_data()
    {
        QTest::addColumn<QString>("served");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty-body") << "eurofxref-daily.xml" << QByteArray();
        QTest::newRow("truncated") << "eurofxref-daily.xml"
                                   << feedDocument(scaledBuiltinRates(3.0)).left(900);
        QTest::newRow("not-xml") << "eurofxref-daily.xml" << QByteArray("<html><body>Bad gateway");
        QTest::newRow("http-404") << "elsewhere.xml" << feedDocument(scaledBuiltinRates(3.0));
        QByteArray huge = feedDocument(scaledBuiltinRates(3.0));
        huge.insert(huge.indexOf("<gesmes:Envelope"), "<!--" + QByteArray(5 * 1024 * 1024, 'x') + "-->\n");
        QTest::newRow("five-megabytes") << "eurofxref-daily.xml" << huge;
    }
    void failedDownloads()
    {
        QFETCH(QString, served);
        QFETCH(QByteArray, content);
        TestHome home;
        FeedServer server;
        QVERIFY(server.start());
        QVERIFY(server.putFile(served, content));
        storeRates(home.settingsFile(), {{"ExchangeRates/USD", 2.0}});

        CurrencyConverter check(home.settingsFile(), server.url("eurofxref-daily.xml"));
        QVERIFY(runCheck(check));
        QTRY_COMPARE(server.requestCount(), 1);
        QCOMPARE(storedValue(home.settingsFile(), "USD").toDouble(), 2.0);
        QCOMPARE(storedValue(home.settingsFile(), "JPY").toDouble(), 159.58);
        QCOMPARE(storedValue(home.settingsFile(), "GBP").toDouble(), 0.85263);
        QSettings s(home.settingsFile(), QSettings::IniFormat);
        QVERIFY(!s.value(lastDownloadKey).isValid());

        CurrencyConverter retry(home.settingsFile(), server.url("eurofxref-daily.xml"));
        QVERIFY(retry.dayChanged());
    }

    void httpsWithTrustedCertificate()
    {
        TestHome home;
        FeedServer server;
        if (!server.start(true))
            QSKIP("openssl or the Python ssl module is not available");
        QVERIFY(server.putFile("eurofxref-daily.xml", feedDocument({{"USD", 1.25}})));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        const QSslConfiguration original = tls;
        tls.addCaCertificates(QSslCertificate::fromPath(server.certificateFile()));
        QSslConfiguration::setDefaultConfiguration(tls);
        auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(original); });

        CurrencyConverter check(home.settingsFile(), server.url("eurofxref-daily.xml"));
        QVERIFY(runCheck(check));
        QCOMPARE(storedValue(home.settingsFile(), "USD").toDouble(), 1.25);
    }

    void untrustedCertificateFails()
    {
        FeedServer server;
        if (!server.start(true))
            QSKIP("openssl or the Python ssl module is not available");
        QVERIFY(server.putFile("eurofxref-daily.xml", feedDocument({{"USD", 1.25}})));
        const Currency_GetHtml::Result r = Currency_GetHtml::fetch(server.url("eurofxref-daily.xml"), 10000);
        QVERIFY(!r.ok);
        QVERIFY(r.body.isEmpty());
    }

    void silentServerTimesOut()
    {
        SilentServer server;
        QVERIFY(server.start());
        QElapsedTimer clock;
        clock.start();
        const Currency_GetHtml::Result r = Currency_GetHtml::fetch(server.url(), 500);
        QVERIFY(!r.ok);
        QVERIFY2(r.errorString.contains("500 ms"), qPrintable(r.errorString));
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(server.acceptedCount(), 1);
    }

    // Closing the program during a download ends the thread at once and stores nothing.
    void stopDuringDownload()
    {
        TestHome home;
        SilentServer server;
        QVERIFY(server.start());
        CurrencyConverter check(home.settingsFile(), server.url());
        check.start();
        QTRY_COMPARE(server.acceptedCount(), 1);
        QElapsedTimer clock;
        clock.start();
        check.requestInterruption();
        QVERIFY(check.wait(2000));
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!storedValue(home.settingsFile(), "USD").isValid());
    }
};

QTEST_GUILESS_MAIN(tst_ExchangeRates)
#include "tst_exchange_rates.moc"
