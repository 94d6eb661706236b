#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/check_update.h"
#include "app/config_settings.h"
#include "tests/preferences/versionpeers.h"

// The settings the Preferences dialog edits, on a real INI file; the version page
// reader and the bounded fetch behind "Check Update", against local servers.
class TestPreferencesCore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        GetHtml::timeoutMs = 1500;
        QVERIFY2(peers.start(), qPrintable(peers.errorText()));
    }

    // The exact forms are checked through the dialog; here the file is written at once.
    void settingsAreOnDiskAtOnceAndReadBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("plax_config.ini");
        ConfigState state;
        for (int i = 0; i < ToolSwitches::toolCount; ++i)
            state.switches[i] = i == 1 || i == 16 ? 0 : 1;
        state.autoSerialScan = false;
        state.mapType = 1;
        QSettings settings(path, QSettings::IniFormat);
        QVERIFY(ConfigSettings::save(settings, state));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly)); // before the settings object goes
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("\nUDP=false\n") && text.contains("\nMap_Type=1\n"));
        QCOMPARE(text.count("=true\n"), 17);
        QSettings again(path, QSettings::IniFormat);
        const ConfigState back = ConfigSettings::load(again);
        for (int i = 0; i < ToolSwitches::toolCount; ++i)
            QCOMPARE(back.switches[i], state.switches[i]);
        QCOMPARE(back.autoSerialScan, false);
        QCOMPARE(back.mapType, 1);
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
        QVERIFY(peers.setPage("\"3.4.5\"\n" + QByteArray(GetHtml::maxBodyBytes * 3, 'x')));
        const QString page = GetHtml::getHtml(peers.httpUrl());
        QCOMPARE(page.size(), GetHtml::maxBodyBytes);
        QVERIFY(page.startsWith("\"3.4.5\"\n"));
    }

private:
    VersionPeers peers;
};

QTEST_GUILESS_MAIN(TestPreferencesCore)
#include "tst_preferences_core.moc"
