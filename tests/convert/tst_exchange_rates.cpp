#include <QtTest>

#include <QSettings>

#include "tests/common/testhome.h"
#include "tests/convert/feedserver.h"
#include "tools/CurrencyConverter.h"
#include "tools/convert_exchangerates.h"

using namespace ExchangeRates;

namespace {

QVariant storedValue(const QString& file, const QString& code)
{
    return QSettings(file, QSettings::IniFormat).value(QStringLiteral("ExchangeRates/") + code);
}

void storeValue(const QString& file, const QString& key, const QVariant& value)
{
    QSettings(file, QSettings::IniFormat).setValue(key, value);
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
        QTest::addColumn<QString>("rates"); // code=rate pairs that must be read; one pair: nothing else
        const QByteArray head = "<Envelope xmlns='urn:x'><Cube><Cube time='2024-03-01'>";
        const QByteArray tail = "</Cube></Cube></Envelope>";
        QTest::newRow("feed-layout-thirty")
            << feedDocument(scaledBuiltinRates(1.0)) << true << "USD=1.0883 JPY=159.58";
        QTest::newRow("incomplete-or-lower-case-cubes-skipped")
            << head +
                   "<Cube currency='USD'/><Cube rate='2'/><cube currency='CHF' rate='1.1'/>"
                   "<Cube currency='GBP' rate='0.85e0'/>" +
                   tail
            << true << "GBP=0.85";
        QTest::newRow("bad-codes-and-rates-only")
            << head +
                   "<Cube currency='usd' rate='1'/><Cube currency='USDX' rate='1'/>"
                   "<Cube currency='USD' rate='abc'/><Cube currency='GBP' rate='0'/>"
                   "<Cube currency='JPY' rate='-3'/><Cube currency='CHF' rate='inf'/>" +
                   tail
            << false << "";
        QTest::newRow("well-formed-no-cube")
            << QByteArray("<html><body>maintenance</body></html>") << false << "";
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
        const QStringList pairs = rates.split(' ', Qt::SkipEmptyParts);
        for (const QString& pair : pairs)
            QCOMPARE(doc.rates.value(pair.section('=', 0, 0), -1.0), pair.section('=', 1).toDouble());
        if (pairs.size() == 1)
            QCOMPARE(doc.rates.size(), 1);
    }

    // A feed may list any three letters: only the card's currencies reach the settings file.
    void storeKeepsOnlyTheCardsCodes()
    {
        TestHome home;
        QByteArray feed = feedDocument(scaledBuiltinRates(1.0));
        feed.replace("<Cube currency='USD'", "<Cube currency='XAA' rate='2'/><Cube currency='QQQ' rate='3'/>"
                                             "<Cube currency='USD'");
        const Document doc = parseDocument(feed);
        QVERIFY(doc.usable() && doc.rates.contains("XAA"));
        QSettings settings(home.settingsFile(), QSettings::IniFormat);
        QVERIFY(store(settings, doc, QDateTime::currentDateTime()));
        settings.beginGroup(group);
        QStringList codes = settings.childKeys();
        settings.endGroup();
        codes.removeOne(endKey);
        QCOMPARE(codes.size(), builtinCount);
        for (const QString& code : codes)
            QVERIFY2(isCardCode(code), qPrintable(code));
    }

    // A missing, unreadable or future last download means a new day; every start is
    // stamped, new day or not, before the thread runs.
    void newDay()
    {
        for (const QVariant& last :
             {QVariant(), QVariant("not a date"), QVariant(QDateTime::currentDateTime().addDays(1))}) {
            TestHome home;
            if (last.isValid())
                storeValue(home.settingsFile(), lastDownloadKey, last);
            const QDateTime before = QDateTime::currentDateTime();
            CurrencyConverter check(home.settingsFile(), QUrl("http://127.0.0.1:9/never-started"));
            QVERIFY2(check.dayChanged(), qPrintable(last.toString()));
            QSettings s(home.settingsFile(), QSettings::IniFormat);
            QVERIFY(s.value(lastOpenedKey).toDateTime() >= before.addMSecs(-1000));
        }
    }

    // First start downloads; a restart on the same day asks nothing and only stamps.
    void downloadOncePerDay()
    {
        TestHome home;
        FeedServer server;
        QVERIFY(server.start());
        QVERIFY(server.putFile("eurofxref-daily.xml", feedDocument({{"USD", 1.1}, {"JPY", 150.0}})));
        qputenv("PLAX_RATES_URL", server.url().toString().toLatin1());
        auto restore = qScopeGuard([] { qputenv("PLAX_RATES_URL", "http://127.0.0.1:9/x"); });

        CurrencyConverter first; // the program's own settings file and feed address
        QVERIFY(first.dayChanged());
        QVERIFY(runCheck(first));
        QTRY_COMPARE(server.requestCount(), 1);
        const QString file = home.path() + "/.config/Quenlix/PLAX/plax_config.ini";
        QCOMPARE(storedValue(file, "USD").toDouble(), 1.1);
        QVERIFY(!storedValue(file, "GBP").isValid()); // no table value mixed in
        QCOMPARE(storedValue(file, "END").toString(), QStringLiteral("0"));
        QSettings s(file, QSettings::IniFormat);
        const QDateTime firstStamp = s.value(lastOpenedKey).toDateTime();
        QCOMPARE(s.value(lastDownloadKey).toDateTime().date(), QDate::currentDate());

        QTRY_VERIFY(QDateTime::currentDateTime() > firstStamp); // so that the next stamp is later
        CurrencyConverter second;
        QVERIFY(!second.dayChanged());
        QVERIFY(runCheck(second));
        // A request of our own after it: the server's log shows it as the second one.
        QVERIFY(Currency_GetHtml::fetch(server.url()).ok);
        QTRY_COMPARE(server.requestCount(), 2);
        s.sync();
        QVERIFY(s.value(lastOpenedKey).toDateTime() > firstStamp);
    }

    // A failed fetch or unusable document keeps what an earlier day stored (whatever its
    // code), fills the missing codes from the table, and is tried again at the next start.
    void failedDownloads_data()
    {
        QTest::addColumn<QString>("served");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("truncated") << "eurofxref-daily.xml"
                                   << feedDocument(scaledBuiltinRates(3.0)).left(900);
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
        const QString file = home.settingsFile();
        storeValue(file, "ExchangeRates/USD", 2.0);
        storeValue(file, "ExchangeRates/XYZ", "5"); // not a card currency

        CurrencyConverter check(file, server.url());
        QVERIFY(runCheck(check));
        QTRY_COMPARE(server.requestCount(), 1);
        QCOMPARE(storedValue(file, "USD").toDouble(), 2.0);
        QCOMPARE(storedValue(file, "JPY").toDouble(), 159.58);
        QCOMPARE(storedValue(file, "XYZ").toString(), QStringLiteral("5"));
        QVERIFY(!QSettings(file, QSettings::IniFormat).value(lastDownloadKey).isValid());
        QVERIFY(CurrencyConverter(file, server.url()).dayChanged());
    }

    // A feed that never answers: a fetch gives up after its time-out (closing the panel
    // during a download is the panel test's).
    void silentServer()
    {
        FeedServer server;
        QVERIFY(server.startSilent());
        QElapsedTimer clock;
        clock.start();
        const Currency_GetHtml::Result r = Currency_GetHtml::fetch(server.url(), 500);
        QVERIFY(!r.ok);
        QVERIFY2(r.errorString.contains("500 ms"), qPrintable(r.errorString));
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(server.acceptedCount(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_ExchangeRates)
#include "tst_exchange_rates.moc"
