#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

#include "tests/common/testhome.h"
#include "tools/convert_exchangerates.h"
#include "tools/quenlix_convert.h"

// Figures for the converter panel. Targets: construction well under 300 ms, a keystroke's
// recompute under 1 ms. (Closing within the bound while the feed never answers is a test.)
class bench_QuenlixConvert : public QObject
{
    Q_OBJECT
private slots:
    void construction()
    {
        TestHome home;
        QElapsedTimer clock;
        clock.start();
        quenlix_convert panel;
        const qint64 ms = clock.elapsed();
        qInfo("panel construction: %lld ms (target < 300 ms)", ms);
        QVERIFY(ms < 300);
    }

    void keystroke_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("lengths") << "lengths";
        QTest::newRow("currency-reads-settings") << "exchangerates";
    }
    void keystroke()
    {
        QFETCH(QString, prefix);
        TestHome home;
        {
            QSettings s(home.settingsFile(), QSettings::IniFormat);
            ExchangeRates::fillMissingFromBuiltin(s);
            s.setValue(ExchangeRates::lastDownloadKey, QDateTime::currentDateTime());
        }
        quenlix_convert panel;
        auto* source = panel.findChild<QLineEdit*>(prefix + "_inputEdit_source");
        panel.findChild<QComboBox*>(prefix + "_toUnitCombox")->setCurrentIndex(3);
        int i = 0;
        QBENCHMARK
        {
            source->setText(QString::number(++i));
        }
    }
};

QTEST_MAIN(bench_QuenlixConvert)
#include "bench_quenlix_convert.moc"
