#include <QElapsedTimer>
#include <QTest>

#include "app/check_update.h"
#include "tests/preferences/versionpeers.h"

Q_DECLARE_METATYPE(std::optional<UpdateCheck::Version>)

// The version page reader and the bounded fetch behind "Check Update".
class TestUpdateCheck : public QObject
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
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<bool>("newer"); // than 3.4.4

        QTest::newRow("same") << "\"3.4.4\"\n" << true << 3 << 4 << 4 << false;
        QTest::newRow("next-patch") << "\"3.4.5\"\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("next-minor") << "\"3.5.0\"\n" << true << 3 << 5 << 0 << true;
        QTest::newRow("next-major") << "\"4.0.0\"\n" << true << 4 << 0 << 0 << true;
        QTest::newRow("two-digit-patch") << "\"3.4.10\"\n" << true << 3 << 4 << 10 << true;
        QTest::newRow("older") << "\"3.4.3\"\n" << true << 3 << 4 << 3 << false;
        // As one number 3*10000+3*100+200 = 30500 would pass 30404.
        QTest::newRow("older-minor-big-patch") << "\"3.3.200\"\n" << true << 3 << 3 << 200 << false;
        QTest::newRow("older-major-big-minor") << "\"2.99.99\"\n" << true << 2 << 99 << 99 << false;
        QTest::newRow("no-line-feed") << "\"3.4.5\"" << true << 3 << 4 << 5 << true;
        QTest::newRow("crlf") << "\"3.4.5\"\r\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("unquoted") << "3.4.5\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("unquoted-crlf") << "3.4.5\r\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("text-before-quote") << "PLAX \"3.4.5\"\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("blanks-around-numbers") << "\" 3 . 4 . 5 \"\n" << true << 3 << 4 << 5 << true;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0 << false;
        QTest::newRow("two-numbers") << "\"3.4\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("four-numbers") << "\"3.4.4.1\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("letter") << "\"3.x.5\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("signed") << "\"3.-4.5\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("empty-number") << "\"3..5\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("beyond-int") << "\"3.4.99999999999\"\n" << false << 0 << 0 << 0 << false;
        QTest::newRow("html-error-page") << "<html><body lang=\"en\">Not here</body></html>\n"
                                         << false << 0 << 0 << 0 << false;
    }
    void versionPage()
    {
        QFETCH(QString, page);
        QFETCH(bool, readable);
        const std::optional<UpdateCheck::Version> version = UpdateCheck::parseVersionPage(page);
        QCOMPARE(version.has_value(), readable);
        if (!readable)
            return;
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(bool, newer);
        QCOMPARE(version->major, major);
        QCOMPARE(version->minor, minor);
        QCOMPARE(version->patch, patch);
        QCOMPARE(UpdateCheck::isNewer(*version, UpdateCheck::currentVersion()), newer);
    }

    void pageIsReturnedAsUtf8()
    {
        QVERIFY(peers.setPage("\"3.4.5\" \xc2\xb5\n"));
        QCOMPARE(GetHtml::getHtml(peers.httpUrl()), QStringLiteral("\"3.4.5\" \u00b5\n"));
    }

    void silentServerEndsAtTheBound()
    {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(GetHtml::getHtml(peers.silentUrl(), 800), QString());
        QVERIFY(clock.elapsed() >= 700);
        QVERIFY(clock.elapsed() < 3000);
    }

    void oversizedPageIsCut()
    {
        QByteArray big = "\"3.4.5\"\n";
        big += QByteArray(GetHtml::maxBodyBytes * 3, 'x');
        QVERIFY(peers.setPage(big));
        const QString page = GetHtml::getHtml(peers.httpUrl());
        QCOMPARE(page.size(), GetHtml::maxBodyBytes);
        QVERIFY(page.startsWith("\"3.4.5\"\n"));
    }

private:
    VersionPeers peers;
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_update_check.moc"
