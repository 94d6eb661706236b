#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/aboutdialog_form.h"
#include "app/check_update.h"
#include "app/config_form.h"
#include "app/help_form.h"
#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/selfrestart.h"
#include "app/shell_images.h"
#include "app/toolswitches.h"
#include "tests/common/modalanswer.h"
#include "tests/common/press.h"
#include "tests/common/testhome.h"
#include "tests/preferences/versionpeers.h"

using StoredValues = QList<QPair<QString, QString>>;

namespace {

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The stored values plus every other tool off: the window is cheap to build.
StoredValues toolsOff(StoredValues stored = {})
{
    for (const QString& key : ToolSwitches::keys())
        if (std::none_of(stored.begin(), stored.end(), [&](const auto& kv) { return kv.first == key; }))
            stored.append(qMakePair(key, QStringLiteral("false")));
    return stored;
}

// A main window over its own home, whose settings file holds `stored` (none when empty;
// a folder in its place, which nothing can write, when `unwritable`).
struct Shell
{
    explicit Shell(const StoredValues& stored = toolsOff(), bool unwritable = false)
        : ready(unwritable ? QDir().mkpath(home.settingsFile())
                           : stored.isEmpty() || (home.writeSettings(stored), true))
    {
    }
    TestHome home;
    bool ready;
    MainWindow w;
};

bool showsIcon(QPushButton* button, const char* path)
{
    const QSize size(72, 36);
    const QImage wanted = QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
    return !wanted.isNull() && button->icon().pixmap(size).toImage() == wanted;
}

// Runs the event loop: true when the program ends it by itself (code 0) within 5 s.
bool endsWithin5s(QObject* context)
{
    bool stuck = false;
    QTimer::singleShot(5000, context, [&stuck] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    return QCoreApplication::exec() == 0 && !stuck;
}

// Refuses the window's close, as a tool with unsaved work does when the user cancels.
struct CloseRefuser : QObject
{
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::Close && (event->ignore(), true);
    }
};

} // namespace

// Catches the pages the program asks the desktop to open.
class BrowserCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// Preferences, About, Help and the update check, driven through the main window's menu.
class TestShellDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(peers.start(), qPrintable(peers.errorText()));
        QDesktopServices::setUrlHandler("http", &browser, "open");
        QDesktopServices::setUrlHandler("https", &browser, "open");
        qputenv("PLAX_DOWNLOAD_URL", "http://127.0.0.1:9/software/download");
        GetHtml::timeoutMs = 1500;
        defaultLauncher = SelfRestart::launcher();
        for (const char* path : {ShellImages::logo, ShellImages::windowIcon, ShellImages::toolOffInForm})
            QVERIFY2(!QPixmap(QString::fromLatin1(path)).isNull(), path);
        QVERIFY(QPixmap(ShellImages::toolOn).toImage() != QPixmap(ShellImages::toolOff).toImage());
    }
    void init()
    {
        launched.clear();
        launchResult = true;
        SelfRestart::launcher() = [this](const QString& program) {
            launched.append(program);
            return launchResult;
        };
        browser.opened.clear();
    }
    void cleanupTestCase() { SelfRestart::launcher() = defaultLauncher; }

    void preferencesShowsTheStoredState_data()
    {
        QTest::addColumn<StoredValues>("stored");
        QTest::addColumn<QList<int>>("offTools");
        QTest::addColumn<bool>("scanTicked");
        QTest::addColumn<int>("map");
        QTest::newRow("no-file") << StoredValues{} << QList<int>{} << true << 0;
        QTest::newRow("capital-True-shows-off-map-2-shows-baidu")
            << StoredValues{{"UDP", "True"}, {"Map_Type", "2"}} << QList<int>{1} << true << 1;
        QTest::newRow("scan-off") << StoredValues{{"Auto_Serial_Scan", "false"}, {"IMU", "false"}}
                                  << QList<int>{18} << false << 0;
    }
    void preferencesShowsTheStoredState()
    {
        QFETCH(StoredValues, stored);
        QFETCH(QList<int>, offTools);
        QFETCH(bool, scanTicked);
        QFETCH(int, map);
        Shell s(stored);
        s.w.ui->actionConfig->trigger();
        QVERIFY(s.w.configDialog && s.w.configUi);
        QCOMPARE(s.w.configDialog->windowTitle(), QStringLiteral("Config"));
        QVERIFY(s.w.configDialog->isVisible());
        QVERIFY(!s.w.configDialog->isModal());
        for (int i = 0; i < ToolSwitches::toolCount; ++i) {
            const bool on = !offTools.contains(i);
            QCOMPARE(s.w.toolSwitches[i], on ? 1 : 0);
            QVERIFY(showsIcon(s.w.configUi->toolButtons[i], on ? ShellImages::toolOn : ShellImages::toolOff));
        }
        QCOMPARE(s.w.configUi->serial_checkBox->isChecked(), scanTicked);
        QCOMPARE(s.w.configUi->comboBox->currentIndex(), map);
        QCOMPARE(s.w.GPS_mapType, map);
    }

    void okWritesEveryKeyAndEndsOnceTheNewCopyStarted()
    {
        Shell s({{"Hex", "True"}, {"COMMAND3", "ATI"}});
        s.w.show();
        s.w.ui->actionAbout->trigger(); // must not keep the old copy alive
        s.w.ui->actionConfig->trigger();
        Ui_Config* form = s.w.configUi;
        press(form->Config_COM_ON_OFF); // twice: back where it was
        press(form->Config_COM_ON_OFF);
        press(form->Config_Crypty_ON_OFF);
        QVERIFY(showsIcon(form->Config_Crypty_ON_OFF, ShellImages::toolOff));
        form->comboBox->setCurrentIndex(1);
        form->serial_checkBox->setChecked(false);
        QVERIFY(launched.isEmpty());
        QTimer::singleShot(0, &s.w, [form] { QTest::mousePress(form->ConfigOK_Button, Qt::LeftButton); });
        QVERIFY(endsWithin5s(&s.w));

        const QByteArray text = fileText(s.home.settingsFile());
        for (const QString& key : ToolSwitches::keys()) {
            const bool off = key == "Hex" || key == "Crypty";
            QVERIFY2(text.contains(("\n" + key + (off ? "=false\n" : "=true\n")).toUtf8()), qPrintable(key));
        }
        QVERIFY(text.contains("\nAuto_Serial_Scan=false\n"));
        QVERIFY(text.contains("\nMap_Type=1\n"));
        QVERIFY(text.contains("\nCOMMAND3=ATI\n"));
        QCOMPARE(launched, QStringList{QCoreApplication::applicationFilePath()});
        QVERIFY(!s.w.isVisible());
        QTRY_VERIFY(!s.w.configDialog);
        QVERIFY(!s.w.configUi);
    }

    void oneDialogAtATimeAndCancelWritesNothing()
    {
        Shell s(toolsOff({{"GPS", "true"}}));
        const QByteArray before = fileText(s.home.settingsFile());
        s.w.ui->actionConfig->trigger();
        QDialog* first = s.w.configDialog;
        press(s.w.configUi->Config_GPS_ON_OFF);
        press(s.w.configUi->Config_TOF_ON_OFF);
        s.w.configUi->comboBox->setCurrentIndex(1);
        s.w.ui->actionConfig->trigger();
        QCOMPARE(s.w.configDialog.data(), first);
        QCOMPARE(s.w.toolSwitches[3], 0); // the pending toggle survives
        QCOMPARE(s.w.findChildren<QDialog*>("Config").size(), 1);
        QTest::mousePress(s.w.configUi->ConfigCancel_Button, Qt::LeftButton);
        QTRY_VERIFY(!s.w.configDialog);
        QVERIFY(!s.w.configUi);
        // A toggle arriving after its dialog has gone touches nothing.
        s.w.Config_MQTT_ON_OFF_triggered();
        s.w.slotActConfigOK();
        QCOMPARE(fileText(s.home.settingsFile()), before);
        QVERIFY(launched.isEmpty());

        s.w.ui->actionConfig->trigger(); // shows the stored state again
        QCOMPARE(s.w.toolSwitches[3], 1);
        QCOMPARE(s.w.toolSwitches[14], 0);
        QCOMPARE(s.w.configUi->comboBox->currentIndex(), 0);
    }

    // The running copy stays when the settings cannot be written, its window refuses
    // to close or the new copy cannot start.
    void okWithoutRestart_data()
    {
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<bool>("refuseClose");
        QTest::addColumn<int>("launches");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings-unwritable") << true << false << 0 << "could not be saved";
        QTest::newRow("close-refused") << false << true << 0 << "";
        QTest::newRow("restart-failed") << false << false << 1 << "settings were saved";
    }
    void okWithoutRestart()
    {
        QFETCH(bool, unwritable);
        QFETCH(bool, refuseClose);
        QFETCH(int, launches);
        QFETCH(QString, message);
        Shell s(toolsOff(), unwritable);
        s.w.show();
        CloseRefuser refuser;
        if (refuseClose)
            s.w.installEventFilter(&refuser);
        launchResult = false;
        {
            ModalAnswer answer("OK");
            s.w.ui->actionConfig->trigger();
            if (unwritable) { // told at once, and shown with every tool on
                QCOMPARE(answer.title(), QStringLiteral("Config"));
                QVERIFY(answer.text().contains(s.home.settingsFile()));
                QCOMPARE(s.w.toolSwitches[1], 1);
            }
        }
        press(s.w.configUi->Config_UDP_ON_OFF);
        ModalAnswer answer("OK");
        QTest::mousePress(s.w.configUi->ConfigOK_Button, Qt::LeftButton);
        QCOMPARE(launched.size(), launches);
        QVERIFY(answer.text().contains(message));
        QVERIFY(s.w.isVisible());
        QVERIFY(s.w.configDialog || launches);
        QCOMPARE(fileText(s.home.settingsFile()).contains("\nUDP=true\n"), !unwritable);
        s.w.removeEventFilter(&refuser);
    }

    void aboutIsCentredOnEveryRequest_data()
    {
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<QSize>("dialogSize");
        QTest::addColumn<QPoint>("expected");
        // (915 - 489) / 2 = 213, (750 - 275) / 2 = 237
        QTest::newRow("default-size") << QPoint(100, 80) << QSize(489, 275) << QPoint(313, 317);
        // (915 - 1000) / 2 = -42 and (750 - 801) / 2 = -25: truncated toward zero
        QTest::newRow("dialog-larger-odd") << QPoint(100, 80) << QSize(1000, 801) << QPoint(58, 55);
    }
    void aboutIsCentredOnEveryRequest()
    {
        QFETCH(QPoint, windowAt);
        QFETCH(QSize, dialogSize);
        QFETCH(QPoint, expected);
        Shell s;
        s.w.move(500, 400);
        s.w.show();
        s.w.ui->actionAbout->trigger(); // first shown somewhere else
        s.w.aboutDialog.resize(dialogSize);
        s.w.move(windowAt);
        QTRY_COMPARE(s.w.pos(), windowAt);
        s.w.ui->actionAbout->trigger();
        QVERIFY(s.w.aboutDialog.isVisible());
        QCOMPARE(s.w.aboutDialog.pos(), expected);
        int aboutWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            aboutWindows += top->objectName() == "AboutDialog" ? 1 : 0;
        QCOMPARE(aboutWindows, 1);
        QTest::mouseClick(s.w.aboutDialog.findChild<QPushButton*>("closeBtn"), Qt::LeftButton);
        QVERIFY(!s.w.aboutDialog.isVisible());
    }

    void closingTheWindowEndsTheProgramWhileAboutIsOpen()
    {
        Shell s;
        s.w.show();
        s.w.ui->actionAbout->trigger();
        QVERIFY(s.w.aboutDialog.isVisible());
        QTimer::singleShot(0, &s.w, [&s] { s.w.ui->actionExit->trigger(); });
        QVERIFY(endsWithin5s(&s.w));
    }

    void helpIsOneDialogClosedByOkOnPress()
    {
        Shell s;
        s.w.show();
        s.w.ui->actionHelp->trigger();
        QDialog* dialog = s.w.helpDialog;
        s.w.ui->actionHelp->trigger();
        QCOMPARE(s.w.helpDialog, dialog);
        QCOMPARE(s.w.findChildren<QDialog*>("Help").size(), 1);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Help"));
        QVERIFY(!dialog->isModal());

        QScrollBar* bar = s.w.helpUi->scrollArea->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QTest::mousePress(s.w.helpUi->helpdialogCancel, Qt::LeftButton); // no release needed
        QTRY_VERIFY(!s.w.helpOpen);
        QCOMPARE(s.w.findChildren<QDialog*>("Help").size(), 0);

        s.w.ui->actionHelp->trigger(); // opens anew, scrolled to the top
        QCOMPARE(s.w.helpUi->scrollArea->verticalScrollBar()->value(), 0);

        // The card shows the lines the consoles expect, line ends written out.
        const Ui_Help* card = s.w.helpUi;
        QStringList groups;
        for (QGroupBox* box : card->groups)
            groups << box->title();
        QCOMPARE(groups,
                 (QStringList{"GPS:", "Environment:", "Oscilloscope:", "Spectra:", "TOF:", "CIE:", "IMU:"}));
        QCOMPARE(card->exampleBoxes.size(), 14);
        QCOMPARE(card->formatLabels.first()->text().remove(QChar(0x200B)),
                 "Latitude:xx.xxxxx,Longitude:xxx.xxxxx\\r\\n");
        QCOMPARE(card->exampleBoxes.first()->toPlainText(), "Latitude:39.92215,Longitude:116.46478\\r\\n");
        for (int i = 0; i < card->exampleBoxes.size(); ++i) {
            QVERIFY(card->formatLabels.at(i)->text().endsWith("\\r\\n"));
            QVERIFY(card->exampleBoxes.at(i)->toPlainText().endsWith("\\r\\n"));
        }
        QString eighteen; // the third spectrometer block
        for (int n = 1; n <= 18; ++n)
            eighteen += QStringLiteral("F%1:xxxx\\r\\n").arg(n);
        QCOMPARE(card->formatLabels.at(10)->text().remove(QChar(0x200B)), eighteen); // breakable, same text
    }

    // Comparing versions is checked without a window; here each kind of answer.
    void updateCheck_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("text");
        const QString latest = "Already the latest version.";
        const QString found = "Found a new version.";
        const QString lost = "Network connection lost. Please check your network settings.";
        const QString unreadable = "The update server sent no readable version. Please try again later.";
        const QByteArray newer = "\"4.0.0\"\n";
        QTest::newRow("http-same") << peers.httpUrl() << QByteArray("\"3.4.4\"\n") << latest;
        QTest::newRow("https-newer") << peers.httpsUrl() << newer << found;
        QTest::newRow("https-untrusted") << peers.untrustedHttpsUrl() << newer << lost;
        QTest::newRow("http-malformed") << peers.httpUrl() << QByteArray("\"3.4\"\n") << unreadable;
        QTest::newRow("http-empty") << peers.httpUrl() << QByteArray() << lost;
        QTest::newRow("http-error-status") << peers.httpUrl("/software/NOT_THERE") << newer << lost;
        QTest::newRow("refused") << peers.refusedUrl() << newer << lost;
        QTest::newRow("silent") << peers.silentUrl() << newer << lost;
    }
    void updateCheck()
    {
        QFETCH(QString, url);
        QFETCH(QByteArray, page);
        QFETCH(QString, text);
        QVERIFY(peers.setPage(page));
        qputenv("PLAX_VERSION_URL", url.toUtf8());
        Shell s;
        s.w.show();
        bool enabledDuringFetch = true;
        QTimer::singleShot(0, &s.w, [&] { enabledDuringFetch = s.w.isEnabled(); });
        ModalAnswer answer("Cancel", 10000);
        s.w.ui->actionCheck_Update->trigger();
        QVERIFY(!enabledDuringFetch);
        QCOMPARE(answer.title(), QStringLiteral("Message"));
        QCOMPARE(answer.text(), text);
        QCOMPARE(answer.buttons(), QStringList{"Cancel"});
        QVERIFY(s.w.isEnabled());
        QCOMPARE(browser.opened, text == "Found a new version."
                                     ? QList<QUrl>{QUrl("http://127.0.0.1:9/software/download")}
                                     : QList<QUrl>{});
    }

private:
    VersionPeers peers;
    BrowserCatcher browser;
    SelfRestart::Launcher defaultLauncher;
    QStringList launched;
    bool launchResult = true;
};

QTEST_MAIN(TestShellDialogs)
#include "tst_shell_dialogs.moc"
