#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
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
    void noSettingsFileShowsEveryToolAndStartsEachOnce()
    {
        TestHome home;
        MainWindow w;
        QCOMPARE(tabTitles(w), allTitles);
        const QStringList pageNames{"serial",  "udp",         "tcp",     "gps",          "gsm",
                                    "Unicode", "environment", "Crypty",  "Oscilloscope", "Mqtt",
                                    "ble",     "spectra",     "Convert", "i2cdump",      "TOF",
                                    "Modbus",  "hextools",    "CIE",     "tab_3",        "tab_2"};
        for (int i = 0; i < pageNames.size(); ++i)
            QCOMPARE(w.ui->tabWidget->widget(i)->objectName(), pageNames.at(i));
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
        QCOMPARE(w.ui->tabWidget->tabPosition(), QTabWidget::West);
        QCOMPARE(w.startedTools, allTitles.mid(0, 19));
        QVERIFY(w.windowTitle().startsWith("Quenlix -- PLAX Ver 3.4.4"));
        QCOMPARE(w.size(), QSize(915, 750));
        QCOMPARE(w.minimumSize(), QSize(915, 750));
        QCOMPARE(w.font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(w.font().pointSize(), 9);
        QVERIFY(w.OSC_waveView);
        QCOMPARE(w.OSC_waveView->parentWidget(), w.ui->Oscilloscope);
        QCOMPARE(w.toolCount, 19);
        QCOMPARE(w.toolKeys[0], QStringLiteral("COM"));
        QCOMPARE(w.toolKeys[18], QStringLiteral("IMU"));
    }

    void switchedOffToolsAreRemovedAndNotStarted_data()
    {
        QTest::addColumn<QStringList>("offKeys");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("ends-and-middle")
            << QStringList{"COM", "Crypty", "IMU"} << "false" << QStringList{"Serial Debug", "Crypty", "IMU"};
        QTest::newRow("True-counts-off") << QStringList{"UDP"} << "True" << QStringList{"UDP Debug"};
        QTest::newRow("1-counts-off") << QStringList{"Hex"} << "1" << QStringList{"Hex"};
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
        QList<QPair<QString, QString>> values;
        for (const QString& key : offKeys)
            values.append(qMakePair(key, value));
        values.append(qMakePair(QStringLiteral("SomethingUnknown"), QStringLiteral("false")));
        home.writeSettings(values);

        MainWindow w;
        QStringList expected = allTitles;
        for (const QString& title : removed)
            expected.removeOne(title);
        QCOMPARE(tabTitles(w), expected);
        QCOMPARE(w.startedTools, expected.mid(0, expected.size() - 1));
        QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
    }

    void everyToolOffLeavesOnlyMore()
    {
        TestHome home;
        QList<QPair<QString, QString>> values;
        for (const QString& key : ToolSwitches::keys())
            values.append(qMakePair(key, QStringLiteral("false")));
        home.writeSettings(values);
        MainWindow w;
        QCOMPARE(tabTitles(w), QStringList{"More"});
        QVERIFY(w.startedTools.isEmpty());
        QVERIFY(!w.OSC_waveView);
        for (QTimer* t : {w.COM_sendTimer, w.UDP_sendTimer, w.TCP_sendTimer}) {
            QVERIFY(t);
            QVERIFY(!t->isActive());
        }
        QVERIFY(w.Serial_scanTimer->isActive());
        QCOMPARE(w.Serial_scanTimer->interval(), 500);
        QVERIFY(w.GPS_tcpServer); // the local addresses and servers exist all the same
    }

    void oscilloscopeOffCreatesNoWaveView()
    {
        TestHome home;
        home.writeSettings({{"Oscilloscope", "false"}});
        MainWindow w;
        QVERIFY(!w.OSC_waveView);
        QVERIFY(!tabTitles(w).contains("Oscilloscope"));
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

    void widgetToolsSitInTheirPagesGrid()
    {
        TestHome home;
        MainWindow w;
        struct Host
        {
            QGridLayout* grid;
            const char* className;
        };
        for (const Host& h :
             {Host{w.ui->gridLayout_36, "quenlix_ble"}, Host{w.ui->gridLayout_40, "quenlix_convert"},
              Host{w.ui->gridLayout_47, "quenlix_hex_tools"}}) {
            QCOMPARE(h.grid->count(), 2); // the form's empty nested grid, then the tool
            QVERIFY(h.grid->itemAt(0)->layout());
            QWidget* tool = h.grid->itemAt(1)->widget();
            QVERIFY(tool);
            QCOMPARE(tool->metaObject()->className(), h.className);
        }
    }

    void startStateOfTheTerminals()
    {
        TestHome home;
        MainWindow w;
        for (QWidget* widget :
             {static_cast<QWidget*>(w.ui->delayspinBox), static_cast<QWidget*>(w.ui->sendmsgBtn),
              static_cast<QWidget*>(w.ui->sendfileBtn), static_cast<QWidget*>(w.ui->sendMsgtextEdit),
              static_cast<QWidget*>(w.ui->UDPdelayspinBox), static_cast<QWidget*>(w.ui->UDPsendmsgBtn),
              static_cast<QWidget*>(w.ui->UDPsendMsgtextEdit), static_cast<QWidget*>(w.ui->TCPdelayspinBox),
              static_cast<QWidget*>(w.ui->TCPsendmsgBtn), static_cast<QWidget*>(w.ui->TCPsendMsgtextEdit),
              static_cast<QWidget*>(w.ui->com_checkBox_DTR), static_cast<QWidget*>(w.ui->com_checkBox_RTS)})
            QVERIFY2(!widget->isEnabled(), qPrintable(widget->objectName()));
        QCOMPARE(w.COM_sendInterval, 200);
        QCOMPARE(w.UDP_sendInterval, 200);
        QCOMPARE(w.TCP_sendInterval, 200);
        QVERIFY(!w.Serial_isOpen);
        QVERIFY(!w.Serial_thread);
        QCOMPARE(w.ui->baudRateComboBox->currentText(), QStringLiteral("115200"));
        QCOMPARE(w.ui->GSMbaudRateComboBox->currentText(), QStringLiteral("9600"));
        QCOMPARE(w.ui->ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        QCOMPARE(w.ui->imubaudRateComboBox->currentText(), QStringLiteral("115200"));
        QCOMPARE(w.ui->dataBitsComboBox->currentText(), QStringLiteral("8"));
        QCOMPARE(w.ui->ModbusdataBitsComboBox->currentText(), QStringLiteral("8"));
    }

    void menusAndActions()
    {
        TestHome home;
        MainWindow w;
        const QList<QAction*> menus = w.ui->menuBar->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus.at(0)->text(), QStringLiteral("Edit(&E)"));
        QCOMPARE(menus.at(1)->text(), QStringLiteral("About(&A)"));
        auto texts = [](QMenu* m) {
            QStringList t;
            for (QAction* a : m->actions())
                t << a->text();
            return t;
        };
        QCOMPARE(texts(w.ui->menu), QStringList({"Preferences", "Exit"}));
        QCOMPARE(texts(w.ui->menu_2), QStringList({"Check Update", "Help", "About"}));
    }

    void exitClosesTheWindow()
    {
        TestHome home;
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ui->actionExit->trigger();
        QVERIFY(!w.isVisible());
    }

    void languageChangeResetsTheTitle()
    {
        TestHome home;
        MainWindow w;
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&w, &change);
        QCOMPARE(w.windowTitle(), QStringLiteral("Quenlix -- PLAX"));
        QCOMPARE(w.ui->tabWidget->tabText(0), QStringLiteral("Serial Debug"));
    }

    void msleepKeepsTheWindowAlive()
    {
        TestHome home;
        MainWindow w;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(10);
        QElapsedTimer clock;
        clock.start();
        w.msleep(500);
        QVERIFY(clock.elapsed() >= 500);
        QVERIFY(ticks >= 10);
        clock.restart();
        w.msleep(0);
        w.msleep(-5);
        QVERIFY(clock.elapsed() < 50);
    }

    void styleSheetFromFile()
    {
        TestHome home;
        MainWindow w;
        const QString before = qApp->styleSheet();
        w.setStyleSheets(home.path() + "/missing.qss");
        QCOMPARE(qApp->styleSheet(), before);
        QFile f(home.path() + "/theme.qss");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("QLabel { color: red; }");
        f.close();
        w.setStyleSheets(f.fileName());
        QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: red; }"));
        qApp->setStyleSheet(before);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
