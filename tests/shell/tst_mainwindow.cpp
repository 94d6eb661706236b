// The program's shell: what it settles before its window (translators, the Quick backend, the log
// format, the event-serving wait, the stored tool switches), and the main window as it starts:
// the tools those switches leave on and its start state.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>
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
#include "widgets/mwaveview.h"

namespace {

QStringList tabTitles(const MainWindow& w)
{
    QStringList titles;
    for (int i = 0; i < w.ui->tabWidget->count(); ++i)
        titles << w.ui->tabWidget->tabText(i);
    return titles;
}

const QStringList allTitles{"Serial Debug", "UDP Debug",   "TCP Debug", "GPS Debug",    "GSM Debug",
                            "Unicode",      "Environment", "Crypty",    "Oscilloscope", "MQTT",
                            "Ble",          "Spectra",     "Convert",   "i2cdump",      "TOF",
                            "Modbus",       "Hex",         "CIE",       "IMU",          "More"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void translatorsByLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("en_US") << "en_US"
                               << ":/transEnglish.qm"
                               << ":/i18n/en_US.qm";
        QTest::newRow("zh_CN") << "zh_CN"
                               << ":/transSimpleChinese.qm"
                               << ":/i18n/zh_CN.qm";
        QTest::newRow("zh_TW") << "zh_TW"
                               << ":/transSimpleChinese.qm"
                               << "";
        QTest::newRow("de_DE") << "de_DE"
                               << ""
                               << "";
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

    void quickBackendDefaultsToSoftware()
    {
        for (const char* before : std::initializer_list<const char*>{"", nullptr, "rhi"}) {
            before ? qputenv("QT_QUICK_BACKEND", before) : qunsetenv("QT_QUICK_BACKEND");
            Startup::ensureQuickBackend();
            QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray(before && *before ? before : "software"));
        }
        qunsetenv("QT_QUICK_BACKEND"); // as the windows below expect
    }

    void logFormats()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        FILE* out = fdopen(dup(file.handle()), "w");
        quenlix_log_output = out;
        QMessageLogContext ctx("a.cpp", 12, "void f()", "cat");
        quenlix_log(QtDebugMsg, ctx, "hello");
        quenlix_log(QtWarningMsg, ctx, "warn");
        quenlix_log(QtInfoMsg, QMessageLogContext(), "");
        fclose(out);
        quenlix_log_output = nullptr;
        file.seek(0);
        QCOMPARE(file.readAll(),
                 QByteArray("Debug: hello (a.cpp:12, void f())\nWarning: warn (a.cpp:12, void f())\n"
                            "Info:  (:0, )\n"));
        quenlix_disable_log(QtCriticalMsg, ctx, "dropped"); // does nothing, must not crash
    }

    // The wait under test is itself timed: it lasts long enough, serves timers, and
    // nested waits return in reverse order.
    void waitServesEventsAndNests()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        QStringList order;
        QTimer::singleShot(50, this, [&] { // outlasts the outer wait
            waitProcessingEvents(300);
            order << "inner";
        });
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(100);
        order << "outer";
        QCOMPARE(order, QStringList({"inner", "outer"}));
        QVERIFY(clock.elapsed() >= 340 && clock.elapsed() < 1500);
        QVERIFY(ticks >= 10);
        bool ran = false; // waits of zero or less serve nothing
        QTimer::singleShot(0, this, [&] { ran = true; });
        waitProcessingEvents(0);
        waitProcessingEvents(-5);
        QVERIFY(!ran);
    }

    // How stored texts read: a switch (and "Auto_Serial_Scan"), and "Map_Type".
    void storedValues_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("mapType");
        QTest::newRow("missing") << QVariant() << true << 0;
        QTest::newRow("empty") << QVariant(QString()) << true << 0;
        QTest::newRow("true") << QVariant("true") << true << 1;
        QTest::newRow("false") << QVariant("false") << false << 1;
        QTest::newRow("True-is-off") << QVariant("True") << false << 1;
        QTest::newRow("zero") << QVariant("0") << false << 0;
        QTest::newRow("seven") << QVariant("7") << false << 1;
        QTest::newRow("int-1") << QVariant(1) << false << 1;
    }
    void storedValues()
    {
        QFETCH(QVariant, stored);
        QTEST(ToolSwitches::isOn(stored), "on");
        QTEST(ToolSwitches::mapTypeFrom(stored), "mapType");
    }

    void noSettingsFileShowsEveryToolAndStartsEachOnce()
    {
        TestHome home;
        MainWindow w;
        QCOMPARE(ToolSwitches::settingsFilePath(), home.settingsFile());
        QCOMPARE(tabTitles(w), allTitles);
        QCOMPARE(w.startedTools, allTitles.mid(0, ToolSwitches::toolCount));
        QCOMPARE(ToolSwitches::keys().at(ToolSwitches::Imu), "IMU");
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
        QVERIFY(w.windowTitle().startsWith("Quenlix -- PLAX Ver 3.4.4"));
        QCOMPARE(w.OSC_waveView->parentWidget(), w.ui->Oscilloscope);
        for (QWidget* widget : std::initializer_list<QWidget*>{w.ui->sendmsgBtn, w.ui->sendfileBtn,
                                                               w.ui->UDPsendmsgBtn, w.ui->TCPsendmsgBtn})
            QVERIFY2(!widget->isEnabled(), qPrintable(widget->objectName()));
        QVERIFY(!w.Serial_isOpen && !w.Serial_thread);
    }

    void switchedOffToolsAreRemovedAndNotStarted_data()
    {
        QTest::addColumn<QStringList>("offKeys");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("ends-and-middle") << QStringList{"COM", "Oscilloscope", "IMU"} << "false"
                                         << QStringList{"Serial Debug", "Oscilloscope", "IMU"};
        QTest::newRow("0-counts-off")
            << QStringList{"GPS", "MQTT"} << "0" << QStringList{"GPS Debug", "MQTT"};
        QTest::newRow("empty-counts-on") << QStringList{"COM", "Ble"} << "" << QStringList{};
        QTest::newRow("all-off") << ToolSwitches::keys() << "false"
                                 << allTitles.mid(0, ToolSwitches::toolCount);
    }
    void switchedOffToolsAreRemovedAndNotStarted()
    {
        QFETCH(QStringList, offKeys);
        QFETCH(QString, value);
        QFETCH(QStringList, removed);
        TestHome home;
        QList<QPair<QString, QString>> values{{"SomethingUnknown", "false"}};
        for (const QString& key : offKeys)
            values.append({key, value});
        home.writeSettings(values);
        MainWindow w;
        QStringList expected = allTitles;
        for (const QString& title : removed)
            expected.removeOne(title);
        QCOMPARE(tabTitles(w), expected);
        QCOMPARE(w.startedTools, expected.mid(0, expected.size() - 1));
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
        QCOMPARE(w.OSC_waveView != nullptr, !removed.contains("Oscilloscope"));
        for (QTimer* t : {w.COM_sendTimer, w.UDP_sendTimer, w.TCP_sendTimer})
            QVERIFY(t && !t->isActive());
        QVERIFY(w.Serial_scanTimer->isActive());
    }

    void malformedSettingsFileKeepsEveryTool()
    {
        TestHome home;
        home.writeSettings({});
        QFile f(home.settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x00\xff[[[ not = an ini\n=\n[General\nCOM\n", 38);
        f.close();
        MainWindow w;
        QCOMPARE(tabTitles(w).size(), 20);
    }

    void exitAndLanguageChange()
    {
        TestHome home;
        MainWindow w;
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&w, &change);
        QCOMPARE(w.windowTitle(), QStringLiteral("Quenlix -- PLAX"));
        QCOMPARE(w.ui->tabWidget->tabText(0), QStringLiteral("Serial Debug"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ui->actionExit->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
