#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
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

// One test row per "name|column|..." text; every column is a QString.
void addRows(std::initializer_list<const char*> rows)
{
    for (const char* row : rows) {
        const QStringList r = QString::fromUtf8(row).split('|');
        QTestData& data = QTest::newRow(qPrintable(r[0]));
        for (const QString& column : r.mid(1))
            data << column;
    }
}

int currencyIndex(const QString& code)
{
    for (int i = 0; i < ExchangeRates::currencyCount; ++i) {
        if (QLatin1String(ExchangeRates::currencies[i].label).startsWith(code))
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

    void startState()
    {
        for (int c = 0; c < CardCount; ++c) {
            const CardSpec& spec = card(UnitConvert::Card(c));
            const CardWidgets w = cardOf(*panel, spec.prefix);
            QVERIFY2(w.source && w.result && w.from && w.to && w.swap, spec.prefix);
            QVERIFY(w.result->isReadOnly());
            QVERIFY(w.result->text().isEmpty()); // nothing computed yet
            QVERIFY(w.swap->text().isEmpty() && !w.swap->icon().isNull());
            QCOMPARE(w.from->count(), c == Exchangerates ? ExchangeRates::currencyCount : spec.rowCount);
            for (int i = 0; i < w.from->count(); ++i)
                QCOMPARE(w.from->itemText(i), w.to->itemText(i));
            if (c != Exchangerates) {
                QCOMPARE(w.from->currentIndex(), spec.defaultFrom);
                QCOMPARE(w.to->currentIndex(), spec.defaultTo);
            }
            QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label_svg_") + spec.prefix)->pixmap().size(),
                     QSize(30, 30));
        }
        const CardWidgets lengths = cardOf(*panel, "lengths");
        QCOMPARE(lengths.from->currentText(), QStringLiteral("mm(millimeter)"));
        QCOMPARE(lengths.to->currentText(), QStringLiteral("mil(mill)"));
        const CardWidgets money = cardOf(*panel, "exchangerates");
        QCOMPARE(money.from->currentText(), QStringLiteral("AUD(Australian Dollar)"));
        QCOMPARE(money.to->currentText(), QStringLiteral("AUD(Australian Dollar)"));
        QVERIFY(!money.source->property("invalid").toBool()); // empty is not an error
    }

    void scrolling()
    {
        panel->resize(250, 300);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        auto* area = panel->findChild<QScrollArea*>("scrollArea");
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        QVERIFY(QScroller::hasScroller(area->viewport()));

        const QPoint at = area->viewport()->rect().center();
        QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area->viewport(), &wheel);
        QVERIFY(area->verticalScrollBar()->value() > 0);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("toolTip"); // an invalid number says so
        addRows({"km-m|1|1000|", "exponent|1e-3|1|", "letters-not-zero|12abc||Not a number",
                 "comma-not-zero|1,5||Not a number", "empty-clears|||", "blank-clears|  ||"});
    }
    void typing()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QFETCH(QString, toolTip);
        const CardWidgets w = cardOf(*panel, "lengths");
        w.source->setText("7");     // so that every row below really changes the text
        w.from->setCurrentIndex(0); // km
        w.to->setCurrentIndex(1);   // m
        w.source->setText(value);
        QCOMPARE(w.result->text(), expected);
        QCOMPARE(w.source->property("invalid").toBool(), !toolTip.isEmpty());
        QCOMPARE(w.source->toolTip(), toolTip);
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
        QCOMPARE(w.result->text(), QStringLiteral("1000"));
        QSignalSpy recomputed(w.result, &QLineEdit::textChanged);
        w.swap->click();
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 0);
        QCOMPARE(w.source->text(), QStringLiteral("1"));
        QCOMPARE(w.result->text(), QStringLiteral("0.001"));
        QCOMPARE(recomputed.count(), 2); // m->m, then m->km

        w.to->setCurrentIndex(1);
        recomputed.clear();
        w.swap->click();
        QCOMPARE(w.from->currentIndex(), 1);
        QCOMPARE(w.to->currentIndex(), 1);
        QCOMPARE(recomputed.count(), 0);
    }

    void currency_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        addRows({"eur-usd|100|EUR|USD|108.83", "usd-eur-no-point|108.83|USD|EUR|100",
                 "usd-jpy-ten-decimals|1|USD|JPY|146.6323624001", "idr-eur-small|1|IDR|EUR|0.0000587802",
                 "negative|-5|EUR|USD|-5.4415", "letters|abc|EUR|USD|"});
    }
    void currency()
    {
        QFETCH(QString, amount);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        const CardWidgets w = cardOf(*panel, "exchangerates");
        w.from->setCurrentIndex(currencyIndex(from));
        w.to->setCurrentIndex(currencyIndex(to));
        w.source->setText(amount);
        QCOMPARE(w.result->text(), expected);
        QVERIFY(w.result->placeholderText().isEmpty());
    }

    // A missing or unusable rate is said, not shown as 0; the euro needs no rate at all.
    void currencyWithoutRates()
    {
        const CardWidgets w = cardOf(*panel, "exchangerates");
        QSettings s(home->settingsFile(), QSettings::IniFormat);
        s.remove(ExchangeRates::group);
        s.sync();
        w.from->setCurrentIndex(currencyIndex("EUR"));
        w.to->setCurrentIndex(currencyIndex("EUR"));
        w.source->setText("7.5");
        QCOMPARE(w.result->text(), QStringLiteral("7.5"));

        w.to->setCurrentIndex(currencyIndex("USD"));
        QCOMPARE(w.result->text(), QString());
        QCOMPARE(w.result->placeholderText(), QStringLiteral("No rate for USD"));

        for (const char* unusable : {"0", "-1", "abc"}) {
            s.setValue("ExchangeRates/USD", unusable);
            s.sync();
            w.source->setText(w.source->text() + "1"); // a keystroke
            QCOMPARE(w.result->placeholderText(), QStringLiteral("No rate for USD"));
        }

        // Rates stored while the panel runs count at the next keystroke.
        s.setValue("ExchangeRates/USD", 2.0);
        s.sync();
        w.source->setText("3");
        QCOMPARE(w.result->text(), QStringLiteral("6"));
        QVERIFY(w.result->placeholderText().isEmpty());

        w.swap->click();
        QCOMPARE(w.from->currentText(), QStringLiteral("USD(United States Dollar)"));
        QCOMPARE(w.to->currentText(), QStringLiteral("EUR(Euro)"));
        QCOMPARE(w.result->text(), QStringLiteral("1.5"));
    }

    void resourcesRender()
    {
        QStringList paths{ConvertResources::swapIcon, ConvertResources::placeholderIcon};
        for (int c = 0; c < CardCount; ++c)
            paths << QString::fromLatin1(ConvertResources::iconDir) + card(UnitConvert::Card(c)).iconFile;
        for (const ExchangeRates::Currency& currency : ExchangeRates::currencies)
            paths << QString::fromLatin1(currency.flag);
        QCOMPARE(paths.size(), 2 + CardCount + 31);
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
