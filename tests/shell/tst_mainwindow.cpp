// The program's shell: what it settles before its window (translators, the Quick backend, the log
// format, the event-serving wait, the tool switches in the settings file), and the main window as
// it starts: the tools those switches leave on, its menus and start state.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
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

QStringList texts(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* a : actions)
        list << a->text();
    return list;
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
        QFETCH(QString, locale);
        QFETCH(QString, first);
        QTranslator t1, t2;
        const QLocale loc(locale);
        const auto installed = Startup::installTranslators(qApp, &t1, &t2, loc.language(), loc.name());
        QCOMPARE(installed.first, first);
        QTEST(installed.second, "second");
        QCOMPARE(t1.isEmpty(), first.isEmpty()); // the built-in file exists and loaded
        QCoreApplication::removeTranslator(&t1);
        QCoreApplication::removeTranslator(&t2);
    }

    void chineseKeepsTabTitlesInEnglish()
    {
        QTranslator t;
        QVERIFY(t.load(":/transSimpleChinese.qm"));
        QVERIFY(!t.translate("MainWindow", "Preferences").isEmpty());
        for (const char* title : {"Serial Debug", "GPS Debug", "Convert", "Hex", "More"}) {
            const QString translated = t.translate("MainWindow", title);
            QVERIFY2(translated.isEmpty() || translated == QLatin1String(title), title);
        }
    }

    void quickBackend()
    {
        qputenv("QT_QUICK_BACKEND", "");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
        qunsetenv("QT_QUICK_BACKEND");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
        qputenv("QT_QUICK_BACKEND", "rhi");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("rhi"));
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

    void waitServesTimersAndLastsLongEnough()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(500);
        QVERIFY(clock.elapsed() >= 500 && clock.elapsed() < 1500);
        QVERIFY(ticks >= 10);
        // Waits of zero or less return at once, without serving any event.
        bool ran = false;
        QObject scope; // the timer must not outlive `ran`
        QTimer::singleShot(0, &scope, [&] { ran = true; });
        clock.restart();
        waitProcessingEvents(0);
        waitProcessingEvents(-5);
        QVERIFY(clock.elapsed() < 50);
        QVERIFY(!ran);
    }

    void nestedWaitsReturnInReverseOrder()
    {
        QStringList order;
        // The inner wait outlasts the outer one: the outer can only return after it.
        QTimer::singleShot(50, this, [&] {
            waitProcessingEvents(300);
            order << "inner";
        });
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(100);
        order << "outer";
        QCOMPARE(order, QStringList({"inner", "outer"}));
        QVERIFY(clock.elapsed() >= 340);
    }

    void switchText_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("missing") << QVariant() << true;
        QTest::newRow("empty") << QVariant(QString()) << true;
        QTest::newRow("true") << QVariant(QStringLiteral("true")) << true;
        QTest::newRow("false") << QVariant(QStringLiteral("false")) << false;
        QTest::newRow("True-is-off") << QVariant(QStringLiteral("True")) << false;
        QTest::newRow("one-is-off") << QVariant(QStringLiteral("1")) << false;
    }
    void switchText()
    {
        QFETCH(QVariant, stored);
        QTEST(ToolSwitches::isOn(stored), "on");
    }

    void mapType_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("type");
        QTest::newRow("missing") << QVariant() << 0;
        QTest::newRow("zero") << QVariant(QStringLiteral("0")) << 0;
        QTest::newRow("seven") << QVariant(QStringLiteral("7")) << 1;
        QTest::newRow("int-1") << QVariant(1) << 1;
    }
    void mapType()
    {
        QFETCH(QVariant, stored);
        QTEST(ToolSwitches::mapTypeFrom(stored), "type");
    }

    // The stored forms written by QSettings read back under the same rules.
    void switchesRoundTripThroughTheFile()
    {
        QCOMPARE(ToolSwitches::keys().size(), ToolSwitches::toolCount);
        QCOMPARE(ToolSwitches::tabTitles().size(), ToolSwitches::toolCount);
        QCOMPARE(ToolSwitches::tabTitles().indexOf("Convert"), ToolSwitches::keys().indexOf("Convert"));
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

    void noSettingsFileShowsEveryToolAndStartsEachOnce()
    {
        TestHome home;
        MainWindow w;
        QCOMPARE(tabTitles(w), allTitles);
        QCOMPARE(w.startedTools, allTitles.mid(0, 19));
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
        QVERIFY(w.windowTitle().startsWith("Quenlix -- PLAX Ver 3.4.4"));
        QCOMPARE(w.OSC_waveView->parentWidget(), w.ui->Oscilloscope);
        QCOMPARE(texts(w.ui->menuBar->actions()), QStringList({"Edit(&E)", "About(&A)"}));
        QCOMPARE(texts(w.ui->menu->actions()), QStringList({"Preferences", "Exit"}));
        QCOMPARE(texts(w.ui->menu_2->actions()), QStringList({"Check Update", "Help", "About"}));
        // The widget tools sit in their page's grid, after the form's empty nested grid.
        for (const auto& [grid, className] : {std::pair{w.ui->gridLayout_36, "quenlix_ble"},
                                              std::pair{w.ui->gridLayout_40, "quenlix_convert"},
                                              std::pair{w.ui->gridLayout_47, "quenlix_hex_tools"}}) {
            QCOMPARE(grid->count(), 2);
            QVERIFY(grid->itemAt(0)->layout());
            QCOMPARE(grid->itemAt(1)->widget()->metaObject()->className(), className);
        }
        // Nothing to send to until a port or link is open.
        for (QWidget* widget :
             std::initializer_list<QWidget*>{w.ui->sendmsgBtn, w.ui->sendfileBtn, w.ui->UDPsendmsgBtn,
                                             w.ui->TCPsendmsgBtn, w.ui->com_checkBox_DTR})
            QVERIFY2(!widget->isEnabled(), qPrintable(widget->objectName()));
        QVERIFY(!w.Serial_isOpen && !w.Serial_thread);
        for (const auto& [box, baud] :
             {std::pair{w.ui->baudRateComboBox, "115200"}, std::pair{w.ui->GSMbaudRateComboBox, "9600"},
              std::pair{w.ui->ENVbaudRateComboBox, "9600"}, std::pair{w.ui->imubaudRateComboBox, "115200"}})
            QCOMPARE(box->currentText(), QString(baud));
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
    }

    void everyToolOffLeavesOnlyMore()
    {
        TestHome home;
        QList<QPair<QString, QString>> values;
        for (const QString& key : ToolSwitches::keys())
            values.append({key, "false"});
        home.writeSettings(values);
        MainWindow w;
        QCOMPARE(tabTitles(w), QStringList{"More"});
        QVERIFY(w.startedTools.isEmpty());
        for (QTimer* t : {w.COM_sendTimer, w.UDP_sendTimer, w.TCP_sendTimer})
            QVERIFY(t && !t->isActive());
        QVERIFY(w.Serial_scanTimer->isActive());
        QVERIFY(w.GPS_tcpServer); // the local addresses and servers exist all the same
    }

    void malformedSettingsFileKeepsEveryTool()
    {
        TestHome home;
        home.writeSettings({});
        QFile f(home.settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        static const char garbage[] = "\x00\xff[[[ not = an ini\n=\n[General\nCOM\n";
        f.write(garbage, sizeof(garbage) - 1); // the leading NUL included
        f.close();
        MainWindow w;
        QCOMPARE(tabTitles(w).size(), 20);
    }

    void exitLanguageChangeAndStyleSheet()
    {
        TestHome home;
        MainWindow w;
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&w, &change);
        QCOMPARE(w.windowTitle(), QStringLiteral("Quenlix -- PLAX"));
        QCOMPARE(w.ui->tabWidget->tabText(0), QStringLiteral("Serial Debug"));

        const QString before = qApp->styleSheet();
        w.setStyleSheets(home.path() + "/missing.qss");
        QCOMPARE(qApp->styleSheet(), before);
        QFile f(home.path() + "/theme.qss");
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("QLabel { color: red; }") > 0);
        f.close();
        w.setStyleSheets(f.fileName());
        QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: red; }"));
        qApp->setStyleSheet(before);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ui->actionExit->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
