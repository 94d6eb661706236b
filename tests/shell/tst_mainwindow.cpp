// The program's shell: what it settles before its window (translators, the event-serving
// wait, the stored tool switches), the tools the window then starts, the guard of its on-demand dialogs,
// and the built program itself starting on the X server.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QWebEngineView>

#include <memory>

#include "app/eventwait.h"
#include "app/guardeddialog.h"
#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/startup.h"
#include "app/toolswitches.h"
#include "tests/common/peerprocess.h"
#include "tests/common/testhome.h"

// clang-format off
const QStringList allTitles{"Serial Debug", "UDP Debug", "TCP Debug", "GPS Debug", "GSM Debug", "Unicode",
    "Environment", "Crypty", "Oscilloscope", "MQTT", "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus",
    "Hex", "CIE", "IMU", "More"};
// clang-format on

// A form that counts its living copies.
struct CountedForm
{
    static inline int alive = 0;
    CountedForm() { ++alive; }
    ~CountedForm() { --alive; }
    void setupUi(QDialog*) {}
};

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
        // The built-in file exists; the English one holds no translations, the Chinese one does.
        QVERIFY(first.isEmpty() || QFile::exists(first));
        QCOMPARE(t1.isEmpty(), !first.contains("Chinese"));
        QCoreApplication::removeTranslator(&t1);
        QCoreApplication::removeTranslator(&t2);
        if (installed.first.contains("Chinese")) { // tab titles stay in English
            QVERIFY(!t1.translate("MainWindow", "Preferences").isEmpty());
            for (const char* title : {"Serial Debug", "GPS Debug", "Convert", "Hex", "More"})
                QVERIFY2(QStringList({"", title}).contains(t1.translate("MainWindow", title)), title);
        }
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
        QStringList expected = allTitles, titles;
        for (const QString& title : removed)
            expected.removeOne(title);
        for (int i = 0; i < w.ui->tabWidget->count(); ++i)
            titles << w.ui->tabWidget->tabText(i);
        QCOMPARE(titles, expected);
        QCOMPARE(w.startedTools, expected.mid(0, expected.size() - 1));
        QCOMPARE(w.OSC_waveView != nullptr, !removed.contains("Oscilloscope"));
    }

    // A web view makes Qt compose the whole window through OpenGL on every repaint from the
    // moment it joins: each joins when its page is first current (at once when it already is),
    // and only once.
    void webViewsWaitForTheirPage_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("atStart");
        QByteArray allOff;
        for (const QString& key : ToolSwitches::keys())
            allOff += key.toUtf8() + "=false\n";
        QTest::newRow("more-page") << QByteArray() << "tab_2" << false;
        QTest::newRow("gps-map") << QByteArray() << "gps" << false;
        QTest::newRow("more-alone-is-current") << allOff << "tab_2" << true;
    }
    void webViewsWaitForTheirPage()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, page);
        QFETCH(bool, atStart);
        TestHome home;
        home.writeSettings({});
        QFile f(home.settingsFile());
        QVERIFY(f.open(QIODevice::Append) && f.write(stored) == stored.size());
        f.close();
        MainWindow w;
        auto* shown = w.ui->tabWidget->findChild<QWidget*>(page);
        QVERIFY(shown);
        QCOMPARE(w.findChildren<QWebEngineView*>().size(), atStart ? 1 : 0);
        w.ui->tabWidget->setCurrentWidget(shown);
        QCOMPARE(shown->findChildren<QWebEngineView*>().size(), 1);
        w.ui->tabWidget->setCurrentIndex(0);
        w.ui->tabWidget->setCurrentWidget(shown);
        QCOMPARE(w.findChildren<QWebEngineView*>().size(), 1);
    }

    // One at a time. An older dialog, closed and forgotten at once (as a port's close
    // path does) and deleted only after a newer one opened, changes nothing of the newer.
    void guardedDialogOneAtATime()
    {
        QWidget parent;
        GuardedDialog<CountedForm> guard;
        int ended = 0;
        QPointer<QDialog> older = guard.create(&parent, [&] { ++ended; });
        QVERIFY(older && guard.open && guard.dialog == older && guard.form);
        QVERIFY(!guard.create(&parent)); // refused while one is open
        older->show();
        older->close();
        guard.open = false;
        QDialog* newer = guard.create(&parent, [&] { ++ended; });
        QCOMPARE(CountedForm::alive, 1); // the older form went at once
        QTRY_VERIFY(!older);
        QVERIFY(newer && guard.open && guard.dialog == newer && guard.form && ended == 0);
        QVERIFY(guard.bringToFront());
        newer->close();
        QTRY_VERIFY(!guard.open);
        QVERIFY(!guard.dialog && !guard.form && !guard.bringToFront());
        QVERIFY(ended == 1 && CountedForm::alive == 0);
    }

    // A window's members go before its child widgets: a dialog still open then reaches nobody.
    void dialogOutlivingItsGuardReachesNobody()
    {
        auto parent = std::make_unique<QWidget>();
        auto guard = std::make_unique<GuardedDialog<CountedForm>>();
        bool ended = false;
        guard->create(parent.get(), [&ended] { ended = true; })->show();
        guard.reset();
        QCOMPARE(CountedForm::alive, 0);
        parent.reset();
        QVERIFY(!ended);
    }

    // The built program, started as a user would, shows its window after the splash and stays alive.
    void programShowsItsWindow()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (run under xvfb-run)");
        TestHome home;
        PeerProcess program;
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        qunsetenv("QT_QPA_PLATFORM"); // on the X server, not offscreen like this test
        QVERIFY(program.start(PLAX_BINARY, {}));
        qputenv("QT_QPA_PLATFORM", platform);
        // Only a mapped window of this very process counts: other test programs on the same X
        // server show windows with the same title. Once seen it stays seen; a search that trips
        // over a window closing meanwhile only means another try.
        const auto shown = [&program] {
            QProcess search;
            search.start("xdotool",
                         {"search", "--all", "--onlyvisible", "--pid", QString::number(program.pid()),
                          "--name", "^Quenlix -- PLAX Ver 3\\.4\\.4"});
            return search.waitForFinished(5000) && search.exitCode() == 0 &&
                   !search.readAllStandardOutput().trimmed().isEmpty();
        };
        QVERIFY2(QTest::qWaitFor(shown, 30000), "the program showed no window of its own within 30 s");
        QVERIFY(program.isRunning());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
