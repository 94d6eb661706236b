#include <QSettings>
#include <QTest>

#include "app/toolswitches.h"
#include "tests/common/testhome.h"

class TestToolSwitches : public QObject
{
    Q_OBJECT
private slots:
    void switchText_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("missing") << QVariant() << true;
        QTest::newRow("empty") << QVariant(QString()) << true;
        QTest::newRow("true") << QVariant(QStringLiteral("true")) << true;
        QTest::newRow("false") << QVariant(QStringLiteral("false")) << false;
        QTest::newRow("True-is-off") << QVariant(QStringLiteral("True")) << false;
        QTest::newRow("TRUE-is-off") << QVariant(QStringLiteral("TRUE")) << false;
        QTest::newRow("one-is-off") << QVariant(QStringLiteral("1")) << false;
        QTest::newRow("zero-is-off") << QVariant(QStringLiteral("0")) << false;
        QTest::newRow("bool-true") << QVariant(true) << true;
        QTest::newRow("bool-false") << QVariant(false) << false;
    }
    void switchText()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, on);
        QCOMPARE(ToolSwitches::isOn(stored), on);
    }

    void mapType_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("type");
        QTest::newRow("missing") << QVariant() << 0;
        QTest::newRow("empty") << QVariant(QString()) << 0;
        QTest::newRow("zero") << QVariant(QStringLiteral("0")) << 0;
        QTest::newRow("one") << QVariant(QStringLiteral("1")) << 1;
        QTest::newRow("seven") << QVariant(QStringLiteral("7")) << 1;
        QTest::newRow("int-0") << QVariant(0) << 0;
        QTest::newRow("int-1") << QVariant(1) << 1;
    }
    void mapType()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, type);
        QCOMPARE(ToolSwitches::mapTypeFrom(stored), type);
    }

    void tablesAgreeInLengthAndOrder()
    {
        QCOMPARE(ToolSwitches::keys().size(), ToolSwitches::toolCount);
        QCOMPARE(ToolSwitches::tabTitles().size(), ToolSwitches::toolCount);
        QCOMPARE(ToolSwitches::keys().first(), QStringLiteral("COM"));
        QCOMPARE(ToolSwitches::keys().last(), QStringLiteral("IMU"));
        QCOMPARE(ToolSwitches::tabTitles().indexOf("Convert"), ToolSwitches::keys().indexOf("Convert"));
    }

    // The stored forms written by QSettings read back under the same rules.
    void valuesRoundTripThroughTheFile()
    {
        TestHome home;
        QCOMPARE(ToolSwitches::settingsFilePath(), home.settingsFile());
        {
            QSettings s(ToolSwitches::settingsFilePath(), QSettings::IniFormat);
            s.setValue("COM", "false");
            s.setValue("UDP", "true");
            s.setValue(ToolSwitches::autoSerialScanKey, false);
            s.setValue(ToolSwitches::mapTypeKey, 1);
        }
        QSettings s(ToolSwitches::settingsFilePath(), QSettings::IniFormat);
        QVERIFY(!ToolSwitches::isOn(s.value("COM")));
        QVERIFY(ToolSwitches::isOn(s.value("UDP")));
        QVERIFY(ToolSwitches::isOn(s.value("GPS")));
        QVERIFY(!ToolSwitches::isOn(s.value(ToolSwitches::autoSerialScanKey)));
        QCOMPARE(ToolSwitches::mapTypeFrom(s.value(ToolSwitches::mapTypeKey)), 1);
    }
};

QTEST_GUILESS_MAIN(TestToolSwitches)
#include "tst_toolswitches.moc"
