#include <QtTest>

#include <QSettings>

#include "app/mainwindow.h"
#include "tests/common/testhome.h"
#include "tools/convert_exchangerates.h"

// The main window builds the converter, and with it the daily rate check, only when the
// tool is switched on.
class tst_ConvertPlacement : public QObject
{
    Q_OBJECT
private slots:
    void rateCheckOnlyWithTheTool_data()
    {
        QTest::addColumn<QString>("convertSwitch");
        QTest::addColumn<bool>("built");
        QTest::newRow("missing-means-on") << QString() << true;
        QTest::newRow("on") << "true" << true;
        QTest::newRow("off") << "false" << false;
    }
    void rateCheckOnlyWithTheTool()
    {
        QFETCH(QString, convertSwitch);
        QFETCH(bool, built);
        TestHome home;
        home.writeSettings(convertSwitch.isEmpty()
                               ? QList<QPair<QString, QString>>{}
                               : QList<QPair<QString, QString>>{{"Convert", convertSwitch}});
        MainWindow w;
        QCOMPARE(bool(w.findChild<QWidget*>("quenlix_convert")), built);
        QSettings s(home.settingsFile(), QSettings::IniFormat);
        QCOMPARE(s.value(ExchangeRates::lastOpenedKey).isValid(), built);
    }
};

QTEST_MAIN(tst_ConvertPlacement)
#include "tst_convert_placement.moc"
