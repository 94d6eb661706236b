#include <QtTest>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QSettings>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "tests/common/testhome.h"
#include "tests/convert/feedserver.h"
#include "tools/convert_exchangerates.h"
#include "tools/convert_resources.h"
#include "tools/quenlix_convert.h"

using namespace UnitConvert;

namespace {

// A home whose settings already hold today's download of the built-in rates, so the
// panel's rate check asks nothing.
void storeBuiltinRates(const TestHome& home)
{
    QSettings s(home.settingsFile(), QSettings::IniFormat);
    ExchangeRates::fillMissingFromBuiltin(s);
    s.setValue(ExchangeRates::lastDownloadKey, QDateTime::currentDateTime());
}

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

int currencyIndex(const char* code)
{
    for (int i = 0; i < ExchangeRates::currencyCount; ++i) {
        if (QByteArray(ExchangeRates::currencies[i].label).startsWith(code))
            return i;
    }
    return -1;
}

} // namespace

class tst_QuenlixConvert : public QObject
{
    Q_OBJECT
private slots:
    void startState()
    {
        TestHome home;
        quenlix_convert panel;
        for (int c = 0; c < CardCount; ++c) {
            const CardSpec& spec = card(UnitConvert::Card(c));
            const CardWidgets w = cardOf(panel, spec.prefix);
            QVERIFY2(w.source && w.result && w.from && w.to && w.swap, spec.prefix);
            QVERIFY(w.result->isReadOnly());
            QVERIFY(w.swap->text().isEmpty());
            QVERIFY(!w.swap->icon().isNull());
            QCOMPARE(w.from->count(), c == Exchangerates ? ExchangeRates::currencyCount : spec.rowCount);
            for (int i = 0; i < w.from->count(); ++i)
                QCOMPARE(w.from->itemText(i), w.to->itemText(i));
            if (c != Exchangerates) {
                QVERIFY2(w.result->text().isEmpty(), spec.prefix); // nothing computed yet
                QCOMPARE(w.from->currentIndex(), spec.defaultFrom);
                QCOMPARE(w.to->currentIndex(), spec.defaultTo);
            }
            const QPixmap icon =
                panel.findChild<QLabel*>(QStringLiteral("label_svg_") + spec.prefix)->pixmap();
            QCOMPARE(icon.size(), QSize(30, 30));
        }
        const CardWidgets lengths = cardOf(panel, "lengths");
        QCOMPARE(lengths.from->currentText(), QStringLiteral("mm(millimeter)"));
        QCOMPARE(lengths.to->currentText(), QStringLiteral("mil(mill)"));
        const CardWidgets money = cardOf(panel, "exchangerates");
        QCOMPARE(money.from->currentText(), QStringLiteral("AUD(Australian Dollar)"));
        QCOMPARE(money.to->currentText(), QStringLiteral("AUD(Australian Dollar)"));
        QVERIFY(money.result->text().isEmpty());
        QVERIFY(!money.source->property("invalid").toBool()); // empty is not an error

        for (QGroupBox* box : panel.findChildren<QGroupBox*>())
            QVERIFY(box->title().isEmpty());
        // One column: twelve cards stacked in row 0, then one per row.
        auto* column = panel.findChild<QVBoxLayout*>("verticalLayout");
        QCOMPARE(column->count(), 12);
        QCOMPARE(column->itemAt(0)->widget()->objectName(), QStringLiteral("groupBox_10"));
        QCOMPARE(column->itemAt(5)->widget()->objectName(), QStringLiteral("groupBox_6"));
        auto* grid = panel.findChild<QGridLayout*>("gridLayout_24");
        QCOMPARE(grid->rowCount(), 11);
        QCOMPARE(grid->itemAtPosition(10, 0)->widget()->objectName(), QStringLiteral("groupBox_21"));
    }

    void scrolling()
    {
        TestHome home;
        quenlix_convert panel;
        panel.resize(250, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto* area = panel.findChild<QScrollArea*>("scrollArea");
        QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        QVERIFY(QScroller::hasScroller(area->viewport()));
        QVERIFY(QScroller::grabbedGesture(area->viewport()) != Qt::GestureType(0));

        const QPoint at = area->viewport()->rect().center();
        QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area->viewport(), &wheel);
        QVERIFY(area->verticalScrollBar()->value() > 0);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("start-pair-mm-mil") << "lengths"
                                           << "1" << 4 << 12 << "39.370078740157481" << false;
        QTest::newRow("km-m") << "lengths"
                              << "1" << 0 << 1 << "1000" << false;
        QTest::newRow("m-km") << "lengths"
                              << "1" << 1 << 0 << "0.001" << false;
        QTest::newRow("ls-m") << "lengths"
                              << "1" << 17 << 1 << "299792458" << false;
        QTest::newRow("pm-m") << "lengths"
                              << "1" << 8 << 1 << "0.000000000001" << false;
        QTest::newRow("exponent") << "lengths"
                                  << "1e3" << 1 << 0 << "1" << false;
        QTest::newRow("letters-not-zero") << "lengths"
                                          << "12abc" << 0 << 1 << "" << true;
        QTest::newRow("comma-not-zero") << "lengths"
                                        << "1,5" << 0 << 1 << "" << true;
        QTest::newRow("empty-clears") << "lengths"
                                      << "" << 0 << 1 << "" << false;
        QTest::newRow("blank-clears") << "lengths"
                                      << "  " << 0 << 1 << "" << false;
    }
    void typing()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, value);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expected);
        QFETCH(bool, invalid);
        TestHome home;
        quenlix_convert panel;
        const CardWidgets w = cardOf(panel, prefix);
        w.source->setText("7"); // so that every row below really changes the text
        w.from->setCurrentIndex(from);
        w.to->setCurrentIndex(to);
        w.source->setText(value);
        QCOMPARE(w.result->text(), expected);
        QCOMPARE(w.source->property("invalid").toBool(), invalid);
        QCOMPARE(w.source->toolTip(), invalid ? QStringLiteral("Not a number") : QString());
    }

    // A label that lost its key (a faulty translation) converts to nothing, quietly.
    void labelWithoutRow()
    {
        TestHome home;
        quenlix_convert panel;
        const CardWidgets w = cardOf(panel, "mass");
        w.from->setItemText(0, "zz(unknown)");
        w.source->setText("1");
        QCOMPARE(w.result->text(), QString());
        QCOMPARE(panel.Mass_convertTo(1.0, "zz(unknown)"), 0.0);
        QCOMPARE(panel.Mass_convertTo(1.0, "t(ton)"), 1000.0);
    }

    void swap()
    {
        TestHome home;
        quenlix_convert panel;
        const CardWidgets w = cardOf(panel, "lengths");
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
        QTest::newRow("eur-usd") << "100"
                                 << "EUR"
                                 << "USD"
                                 << "108.83";
        QTest::newRow("usd-eur-no-point") << "108.83"
                                          << "USD"
                                          << "EUR"
                                          << "100";
        QTest::newRow("usd-jpy-ten-decimals") << "1"
                                              << "USD"
                                              << "JPY"
                                              << "146.6323624001";
        QTest::newRow("idr-eur-small") << "1"
                                       << "IDR"
                                       << "EUR"
                                       << "0.0000587802";
        QTest::newRow("negative") << "-5"
                                  << "EUR"
                                  << "USD"
                                  << "-5.4415";
        QTest::newRow("same-currency") << "10"
                                       << "USD"
                                       << "USD"
                                       << "10";
        QTest::newRow("letters") << "abc"
                                 << "EUR"
                                 << "USD"
                                 << "";
    }
    void currency()
    {
        QFETCH(QString, amount);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        TestHome home;
        storeBuiltinRates(home);
        quenlix_convert panel;
        const CardWidgets w = cardOf(panel, "exchangerates");
        w.from->setCurrentIndex(currencyIndex(qPrintable(from)));
        w.to->setCurrentIndex(currencyIndex(qPrintable(to)));
        w.source->setText(amount);
        QCOMPARE(w.result->text(), expected);
        QVERIFY(w.result->placeholderText().isEmpty());
    }

    // A missing or unusable rate is said, not shown as 0; the euro needs no rate at all.
    void currencyWithoutRates()
    {
        TestHome home;
        quenlix_convert panel;
        const CardWidgets w = cardOf(panel, "exchangerates");
        QSettings s(home.settingsFile(), QSettings::IniFormat);
        s.remove(ExchangeRates::group); // whatever the start-up check may have filled in
        s.setValue(ExchangeRates::lastDownloadKey, QDateTime::currentDateTime());
        s.sync();
        w.from->setCurrentIndex(currencyIndex("EUR"));
        w.to->setCurrentIndex(currencyIndex("EUR"));
        w.source->setText("7.5");
        QCOMPARE(w.result->text(), QStringLiteral("7.5"));

        w.to->setCurrentIndex(currencyIndex("USD"));
        QCOMPARE(w.result->text(), QString());
        QCOMPARE(w.result->placeholderText(), QStringLiteral("No rate for USD"));

        s.setValue("ExchangeRates/USD", "0");
        s.sync();
        w.source->setText("1");
        QCOMPARE(w.result->placeholderText(), QStringLiteral("No rate for USD"));

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
        QStringList paths{QString::fromLatin1(ConvertResources::swapIcon),
                          QString::fromLatin1(ConvertResources::placeholderIcon)};
        for (int c = 0; c < CardCount; ++c) {
            const CardSpec& spec = card(UnitConvert::Card(c));
            const QString path = QString::fromLatin1(ConvertResources::iconDir) + spec.iconFile;
            paths << path;
            if (spec.iconSize == IconSize::TripleDefault)
                QCOMPARE(QSvgRenderer(path).defaultSize(), QSize(10, 10));
        }
        for (const ExchangeRates::Currency& currency : ExchangeRates::currencies)
            paths << QString::fromLatin1(currency.flag);
        QCOMPARE(paths.size(), 2 + CardCount + 31);
        for (const QString& path : paths) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
        }
        QVERIFY(QFile::exists(QString::fromLatin1(ConvertResources::styleSheet)));
    }

    // Closing while the feed never answers: the panel goes within the bounded wait.
    void closeDuringDownload()
    {
        TestHome home;
        SilentServer server;
        QVERIFY(server.start());
        qputenv("PLAX_RATES_URL", server.url().toString().toLatin1());
        auto restore = qScopeGuard([] { qputenv("PLAX_RATES_URL", "http://127.0.0.1:9/x"); });
        auto* panel = new quenlix_convert;
        QTRY_COMPARE(server.acceptedCount(), 1);
        QElapsedTimer clock;
        clock.start();
        delete panel;
        QVERIFY2(clock.elapsed() < quenlix_convert::rateThreadStopMs,
                 qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(tst_QuenlixConvert)
#include "tst_quenlix_convert.moc"
