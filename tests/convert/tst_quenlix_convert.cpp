#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <memory>

#include "app/mainwindow.h"
#include "tests/common/testhome.h"
#include "tests/convert/feedserver.h"
#include "tools/convert_exchangerates.h"
#include "tools/quenlix_convert.h"

namespace {

struct CardWidgets
{
    QLineEdit* source;
    QLineEdit* result;
    QComboBox* from;
    QComboBox* to;
    QPushButton* swap;
};

CardWidgets cardOf(const QWidget& panel, const QString& prefix)
{
    return {panel.findChild<QLineEdit*>(prefix + "_inputEdit_source"),
            panel.findChild<QLineEdit*>(prefix + "_inputEdit_to"),
            panel.findChild<QComboBox*>(prefix + "_fromUnitCombox"),
            panel.findChild<QComboBox*>(prefix + "_toUnitCombox"),
            panel.findChild<QPushButton*>(prefix + "_interchangeable_pushButton")};
}

// The item whose label starts with `key` followed by "(".
int itemOf(QComboBox* box, const QString& key)
{
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(key + "("))
            return i;
    }
    return -1;
}

} // namespace

class tst_QuenlixConvert : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<quenlix_convert> panel;

private slots:
    // Each test gets a panel in a home that already holds today's download of the built-in
    // rates, so its rate check downloads nothing and writes no rates behind the test's back.
    void init()
    {
        home = std::make_unique<TestHome>();
        {
            QSettings s(home->settingsFile(), QSettings::IniFormat);
            ExchangeRates::fillMissingFromBuiltin(s);
            s.setValue(ExchangeRates::lastDownloadKey, QDateTime::currentDateTime());
        }
        panel = std::make_unique<quenlix_convert>();
    }
    void cleanup()
    {
        panel.reset();
        home.reset();
    }

    // Typing into a card: the result field, the mark on a text that is no number, and the
    // word for a missing or unusable rate (not a 0). Rates are stored after the panel started:
    // they count at the next keystroke. Rate "none": no stored rates at all.
    void typing_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("line"); // "value|from|to|expected|tool tip|USD rate|placeholder"
        const char* rows[][3] = {
            {"km-m", "lengths", "1|km|m|1000||"},
            {"letters-not-zero", "lengths", "12abc|km|m||Not a number|"},
            {"empty-clears", "lengths", "|km|m|||"},
            {"absolute-zero-kelvin-in-rankine", "temperature", "0|K|°R|0||"},
            {"attosecond-keeps-digits", "time", "1|as|s|1e-18||"},
            {"eur-usd", "exchangerates", "100|EUR|USD|108.83||"},
            {"usd-jpy-ten-decimals", "exchangerates", "1|USD|JPY|146.6323624001||"},
            {"euro-needs-no-rate", "exchangerates", "7.5|EUR|EUR|7.5||none"},
            {"no-rate", "exchangerates", "7.5|EUR|USD|||none|No rate for USD"},
            {"zero-rate", "exchangerates", "7.5|EUR|USD|||0|No rate for USD"},
            {"text-rate", "exchangerates", "7.5|EUR|USD|||abc|No rate for USD"},
            {"rate-stored-later", "exchangerates", "3|EUR|USD|6||2"},
            {"rate-stored-later-back", "exchangerates", "3|USD|EUR|1.5||2"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString::fromUtf8(r[2]);
    }
    void typing()
    {
        QFETCH(QString, card);
        QFETCH(QString, line);
        const QStringList f = line.split('|');
        const CardWidgets w = cardOf(*panel, card);
        w.source->setText("7"); // so that every row below really changes the text
        w.from->setCurrentIndex(itemOf(w.from, f[1]));
        w.to->setCurrentIndex(itemOf(w.to, f[2]));
        QVERIFY(w.from->currentIndex() >= 0 && w.to->currentIndex() >= 0);
        QSettings s(home->settingsFile(), QSettings::IniFormat);
        if (!f[5].isEmpty())
            s.remove(ExchangeRates::group);
        if (!f[5].isEmpty() && f[5] != "none")
            s.setValue("ExchangeRates/USD", f[5]);
        s.sync();
        w.source->setText(f[0]);
        QCOMPARE(w.result->text(), f[3]);
        QCOMPARE(w.source->property("invalid").toBool(), !f[4].isEmpty());
        QCOMPARE(w.source->toolTip(), f[4]);
        QCOMPARE(w.result->placeholderText(), f.value(6));
    }

    void swap()
    {
        const CardWidgets w = cardOf(*panel, "lengths");
        w.from->setCurrentIndex(0);
        w.to->setCurrentIndex(1);
        w.source->setText("1");
        w.swap->click();
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 0);
        QCOMPARE(w.result->text(), QStringLiteral("0.001"));
    }

    // The main window builds the converter, and with it the daily rate check, only when the
    // tool is switched on (a missing switch means on).
    void rateCheckOnlyWithTheTool_data()
    {
        QTest::addColumn<QString>("convertSwitch");
        QTest::newRow("missing") << QString();
        QTest::newRow("off") << "false";
    }
    void rateCheckOnlyWithTheTool()
    {
        QFETCH(QString, convertSwitch);
        cleanup(); // a fresh home in which no rate check has run yet
        home = std::make_unique<TestHome>();
        if (!convertSwitch.isEmpty())
            home->writeSettings({{"Convert", convertSwitch}});
        MainWindow w;
        const bool built = convertSwitch != "false";
        QCOMPARE(bool(w.findChild<QWidget*>("quenlix_convert")), built);
        QSettings s(home->settingsFile(), QSettings::IniFormat);
        QCOMPARE(s.value(ExchangeRates::lastOpenedKey).isValid(), built);
    }

    // Closing while the feed never answers: the panel goes within the bounded wait.
    void closeDuringDownload()
    {
        QSettings(home->settingsFile(), QSettings::IniFormat).remove(ExchangeRates::lastDownloadKey);
        FeedServer server;
        QVERIFY(server.startSilent());
        qputenv("PLAX_RATES_URL", server.url().toString().toLatin1());
        auto restore = qScopeGuard([] { qputenv("PLAX_RATES_URL", "http://127.0.0.1:9/x"); });
        auto* closing = new quenlix_convert;
        QTRY_COMPARE(server.acceptedCount(), 1);
        QElapsedTimer clock;
        clock.start();
        delete closing;
        QVERIFY2(clock.elapsed() < quenlix_convert::rateThreadStopMs,
                 qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(tst_QuenlixConvert)
#include "tst_quenlix_convert.moc"
