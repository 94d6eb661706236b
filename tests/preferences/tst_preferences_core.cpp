#include <QElapsedTimer>
#include <QTest>

#include "app/check_update.h"
#include "tests/preferences/versionpeers.h"

// The version page reader and the bounded fetch behind "Check Update", against local servers.
class TestPreferencesCore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        GetHtml::timeoutMs = 1500;
        QVERIFY2(peers.start(), qPrintable(peers.errorText()));
    }

    void versionPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("version"); // empty: unreadable
        QTest::addColumn<bool>("newer");      // than 3.4.4
        auto row = [](const char* tag, const char* page, const char* version = "", bool newer = false) {
            QTest::newRow(tag) << page << version << newer;
        };
        row("same", "\"3.4.4\"\n", "3.4.4");
        row("next-patch", "\"3.4.5\"\n", "3.4.5", true);
        row("next-major", "\"4.0.0\"\n", "4.0.0", true);
        row("two-digit-patch", "\"3.4.10\"\n", "3.4.10", true);
        row("older-minor-big-patch", "\"3.3.200\"\n", "3.3.200"); // as one number 30500 would pass 30404
        row("older-major-big-minor", "\"2.99.99\"\n", "2.99.99");
        row("no-line-feed", "\"3.4.5\"", "3.4.5", true);
        row("crlf", "\"3.4.5\"\r\n", "3.4.5", true);
        row("unquoted-crlf", "3.4.5\r\n", "3.4.5", true);
        row("text-before-quote", "PLAX \"3.4.5\"\n", "3.4.5", true);
        row("blanks-around-numbers", "\" 3 . 4 . 5 \"\n", "3.4.5", true);
        row("empty", "");
        row("two-numbers", "\"3.4\"\n");
        row("four-numbers", "\"3.4.4.1\"\n");
        row("signed", "\"3.-4.5\"\n");
        row("empty-number", "\"3..5\"\n");
        row("beyond-int", "\"3.4.99999999999\"\n");
        row("html-error-page", "<html><body lang=\"en\">Not here</body></html>\n");
    }
    void versionPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, version);
        QFETCH(bool, newer);
        const std::optional<UpdateCheck::Version> got = UpdateCheck::parseVersionPage(page);
        QCOMPARE(got.has_value(), !version.isEmpty());
        if (!got)
            return;
        QCOMPARE(QString("%1.%2.%3").arg(got->major).arg(got->minor).arg(got->patch), version);
        QCOMPARE(UpdateCheck::isNewer(*got, UpdateCheck::currentVersion()), newer);
    }

    // What the fetch returns: the body as UTF-8, cut at the bound; nothing from a
    // server that stays silent past the wait.
    void fetch()
    {
        QVERIFY(peers.setPage("\"3.4.5\" \xc2\xb5\n"));
        QCOMPARE(GetHtml::getHtml(peers.httpUrl()), QStringLiteral("\"3.4.5\" \u00b5\n"));
        QVERIFY(peers.setPage("\"3.4.5\"\n" + QByteArray(GetHtml::maxBodyBytes * 3, 'x')));
        const QString page = GetHtml::getHtml(peers.httpUrl());
        QCOMPARE(page.size(), GetHtml::maxBodyBytes);
        QVERIFY(page.startsWith("\"3.4.5\"\n"));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(GetHtml::getHtml(peers.silentUrl(), 800), QString());
        QVERIFY(clock.elapsed() >= 700 && clock.elapsed() < 3000);
    }

private:
    VersionPeers peers;
};

QTEST_GUILESS_MAIN(TestPreferencesCore)
#include "tst_preferences_core.moc"
