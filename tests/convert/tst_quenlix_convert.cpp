#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSvgRenderer>

#include <memory>

#include "tests/common/testhome.h"
#include "tests/convert/feedserver.h"
#include "tools/convert_exchangerates.h"
#include "tools/convert_resources.h"
#include "tools/quenlix_convert.h"

using namespace UnitConvert;

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

    // Typing into a card: the result field, and the mark on a text that is no number.
    void typing_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("line"); // "value|from|to|expected|tool tip"
        const char* rows[][3] = {
            {"km-m", "lengths", "1|km|m|1000|"},
            {"exponent", "lengths", "1e-3|km|m|1|"},
            {"letters-not-zero", "lengths", "12abc|km|m||Not a number"},
            {"comma-not-zero", "lengths", "1,5|km|m||Not a number"},
            {"empty-clears", "lengths", "|km|m||"},
            {"blank-clears", "lengths", "  |km|m||"},
            {"absolute-zero-kelvin-in-rankine", "temperature", "0|K|°R|0|"},
            {"absolute-zero-celsius-in-rankine", "temperature", "-273.15|°C|°R|0|"},
            {"zero-rankine-in-rankine", "temperature", "0|°R|°R|0|"},
            {"rankine-to-kelvin", "temperature", "1|°R|K|0.5555555556|"},
            {"attosecond-keeps-digits", "time", "1|as|s|1e-18|"},
            {"eur-usd", "exchangerates", "100|EUR|USD|108.83|"},
            {"usd-eur-no-point", "exchangerates", "108.83|USD|EUR|100|"},
            {"usd-jpy-ten-decimals", "exchangerates", "1|USD|JPY|146.6323624001|"},
            {"idr-eur-small", "exchangerates", "1|IDR|EUR|0.0000587802|"},
            {"negative", "exchangerates", "-5|EUR|USD|-5.4415|"},
            {"currency-letters", "exchangerates", "abc|EUR|USD||Not a number"},
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
        w.source->setText(f[0]);
        QCOMPARE(w.result->text(), f[3]);
        QCOMPARE(w.source->property("invalid").toBool(), !f[4].isEmpty());
        QCOMPARE(w.source->toolTip(), f[4]);
        QVERIFY(w.result->placeholderText().isEmpty());
    }

    // A label that lost its key (a faulty translation) converts to nothing, quietly.
    void labelWithoutRow()
    {
        const CardWidgets w = cardOf(*panel, "mass");
        w.from->setItemText(0, "zz(unknown)");
        w.source->setText("1");
        QCOMPARE(w.result->text(), QString());
        QCOMPARE(panel->Mass_convertTo(1.0, "zz(unknown)"), 0.0);
        QCOMPARE(panel->Mass_convertTo(1.0, "t(ton)"), 1000.0);
    }

    void swap()
    {
        const CardWidgets w = cardOf(*panel, "lengths");
        w.from->setCurrentIndex(0);
        w.to->setCurrentIndex(1);
        w.source->setText("1");
        QSignalSpy recomputed(w.result, &QLineEdit::textChanged);
        w.swap->click();
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 0);
        QCOMPARE(w.result->text(), QStringLiteral("0.001"));
        QCOMPARE(recomputed.count(), 2); // m->m, then m->km
        w.to->setCurrentIndex(1);
        recomputed.clear();
        w.swap->click(); // the same unit on both sides: nothing to do
        QCOMPARE(recomputed.count(), 0);
    }

    // A missing or unusable rate is said, not shown as 0; the euro needs no rate at all.
    // Rates stored while the panel runs count at the next keystroke.
    void currencyWithoutRates()
    {
        const CardWidgets w = cardOf(*panel, "exchangerates");
        QSettings s(home->settingsFile(), QSettings::IniFormat);
        s.remove(ExchangeRates::group);
        s.sync();
        w.from->setCurrentIndex(itemOf(w.from, "EUR"));
        w.to->setCurrentIndex(itemOf(w.to, "EUR"));
        w.source->setText("7.5");
        QCOMPARE(w.result->text(), QStringLiteral("7.5"));
        w.to->setCurrentIndex(itemOf(w.to, "USD"));
        for (const char* unusable : {"", "0", "-1", "abc"}) {
            if (*unusable)
                s.setValue("ExchangeRates/USD", unusable);
            s.sync();
            w.source->setText(w.source->text() + "1"); // a keystroke
            QCOMPARE(w.result->text(), QString());
            QCOMPARE(w.result->placeholderText(), QStringLiteral("No rate for USD"));
        }
        s.setValue("ExchangeRates/USD", 2.0);
        s.sync();
        w.source->setText("3");
        QCOMPARE(w.result->text(), QStringLiteral("6"));
        QVERIFY(w.result->placeholderText().isEmpty());
        w.swap->click();
        QCOMPARE(w.result->text(), QStringLiteral("1.5"));
    }

    void resourcesRender()
    {
        QStringList paths{ConvertResources::swapIcon, ConvertResources::placeholderIcon};
        for (int c = 0; c < CardCount; ++c)
            paths << QString::fromLatin1(ConvertResources::iconDir) + card(UnitConvert::Card(c)).iconFile;
        for (const ExchangeRates::Currency& currency : ExchangeRates::currencies)
            paths << QString::fromLatin1(currency.flag);
        for (const QString& path : paths)
            QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
        QVERIFY(QFile::exists(QString::fromLatin1(ConvertResources::styleSheet)));
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
