// The program's shell: what it settles before its window (translators, the log format, the event-serving
// wait, the stored tool switches), and the tools the window then starts.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <unistd.h>

#include "app/eventwait.h"
#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/quenlix_log.h"
#include "app/startup.h"
#include "app/toolswitches.h"
#include "tests/common/testhome.h"

// clang-format off
const QStringList allTitles{"Serial Debug", "UDP Debug", "TCP Debug", "GPS Debug", "GSM Debug", "Unicode",
    "Environment", "Crypty", "Oscilloscope", "MQTT", "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus",
    "Hex", "CIE", "IMU", "More"};
// clang-format on

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void translatorsByLocale_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        // clang-format off
        QTest::newRow("en_US") << ":/transEnglish.qm" << ":/i18n/en_US.qm";
        QTest::newRow("zh_CN") << ":/transSimpleChinese.qm" << ":/i18n/zh_CN.qm";
        QTest::newRow("zh_TW") << ":/transSimpleChinese.qm" << "";
        QTest::newRow("de_DE") << "" << "";
        // clang-format on
    }
    void translatorsByLocale()
    {
        QFETCH(QString, first);
        QTranslator t1, t2;
        const QLocale loc(QTest::currentDataTag());
        const auto installed = Startup::installTranslators(qApp, &t1, &t2, loc.language(), loc.name());
        QCOMPARE(installed.first, first);
        QTEST(installed.second, "second");
        QCOMPARE(t1.isEmpty(), first.isEmpty()); // the built-in file exists and loaded
        QCoreApplication::removeTranslator(&t1);
        QCoreApplication::removeTranslator(&t2);
        if (installed.first.contains("Chinese")) { // tab titles stay in English
            QVERIFY(!t1.translate("MainWindow", "Preferences").isEmpty());
            for (const char* title : {"Serial Debug", "GPS Debug", "Convert", "Hex", "More"})
                QVERIFY2(QStringList({"", title}).contains(t1.translate("MainWindow", title)), title);
        }
    }

    void logFormats()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        quenlix_log_output = fdopen(dup(file.handle()), "w");
        QMessageLogContext ctx("a.cpp", 12, "void f()", "cat");
        quenlix_log(QtDebugMsg, ctx, "hello");
        quenlix_log(QtWarningMsg, ctx, "warn");
        quenlix_log(QtInfoMsg, QMessageLogContext(), "");
        fclose(std::exchange(quenlix_log_output, nullptr));
        file.seek(0);
        QCOMPARE(file.readAll(), QByteArray("Debug: hello (a.cpp:12, void f())\n"
                                            "Warning: warn (a.cpp:12, void f())\nInfo:  (:0, )\n"));
        quenlix_disable_log(QtCriticalMsg, ctx, "dropped"); // does nothing, must not crash
    }

    // The wait lasts long enough, serves timers, and nested waits return in reverse order;
    // waits of zero or less serve nothing.
    void waitServesEventsAndNests()
    {
        int ticks = 0;
        bool ran = false;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        QStringList order;
        QTimer::singleShot(50, this, [&] { waitProcessingEvents(300), order << "inner"; });
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(100);
        QCOMPARE(order << "outer", QStringList({"inner", "outer"}));
        QVERIFY(clock.elapsed() >= 340 && clock.elapsed() < 1500 && ticks >= 10);
        QObject scope; // the timer must not outlive `ran`
        QTimer::singleShot(0, &scope, [&] { ran = true; });
        waitProcessingEvents(0), waitProcessingEvents(-5);
        QVERIFY(!ran);
    }

    // How stored texts read: a switch (and "Auto_Serial_Scan"), and "Map_Type".
    void storedValues_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("mapType");
        // clang-format off
        QTest::newRow("missing") << QVariant() << true << 0;
        QTest::newRow("empty") << QVariant(QString()) << true << 0;
        QTest::newRow("true") << QVariant("true") << true << 1;
        QTest::newRow("True-is-off") << QVariant("True") << false << 1;
        QTest::newRow("zero") << QVariant("0") << false << 0;
        QTest::newRow("seven") << QVariant("7") << false << 1;
        QTest::newRow("int-1") << QVariant(1) << false << 1;
        // clang-format on
    }
    void storedValues()
    {
        QFETCH(QVariant, stored);
        QTEST(ToolSwitches::isOn(stored), "on");
        QTEST(ToolSwitches::mapTypeFrom(stored), "mapType");
    }

    // Switched-off tools are neither shown nor started; no file, or one that is not INI, keeps all.
    void startedTools_data()
    {
        QTest::addColumn<QByteArray>("stored"); // the settings file; none when null
        QTest::addColumn<QStringList>("removed");
        QByteArray allOff;
        for (const QString& key : ToolSwitches::keys())
            allOff += key.toUtf8() + "=false\n";
        static const char malformedIni[] = "\x00\xff[[[ not = an ini\n=\n[General\nCOM\n"; // NUL included
        // clang-format off
        QTest::newRow("no-file") << QByteArray() << QStringList{};
        QTest::newRow("ends-and-middle") << QByteArray("COM=false\nOscilloscope=false\nIMU=false\nUnknown=false\n")
                                         << QStringList{"Serial Debug", "Oscilloscope", "IMU"};
        QTest::newRow("0-counts-off") << QByteArray("GPS=0\nMQTT=0\n") << QStringList{"GPS Debug", "MQTT"};
        QTest::newRow("empty-counts-on") << QByteArray("COM=\nBle=\n") << QStringList{};
        QTest::newRow("all-off") << allOff << allTitles.mid(0, ToolSwitches::toolCount);
        QTest::newRow("malformed") << QByteArray::fromRawData(malformedIni, sizeof(malformedIni) - 1) << QStringList{};
        // clang-format on
    }
    void startedTools()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, removed);
        TestHome home;
        if (!stored.isNull()) {
            home.writeSettings({});
            QFile f(home.settingsFile());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(stored) == stored.size());
        }
        MainWindow w;
        QCOMPARE(ToolSwitches::settingsFilePath(), home.settingsFile());
        QStringList expected = allTitles, titles;
        for (const QString& title : removed)
            expected.removeOne(title);
        for (int i = 0; i < w.ui->tabWidget->count(); ++i)
            titles << w.ui->tabWidget->tabText(i);
        QCOMPARE(titles, expected);
        QCOMPARE(w.startedTools, expected.mid(0, expected.size() - 1));
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
        QCOMPARE(w.OSC_waveView != nullptr, !removed.contains("Oscilloscope"));
        QVERIFY(w.Serial_scanTimer->isActive() && !w.Serial_isOpen && !w.Serial_thread);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
