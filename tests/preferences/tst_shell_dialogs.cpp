#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
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
#include "tests/common/testhome.h"
#include "tests/preferences/versionpeers.h"

using StoredValues = QList<QPair<QString, QString>>;

namespace {

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every tool off keeps the window cheap to build; the dialogs do not depend on tabs.
void writeToolsOff(const TestHome& home, QList<QPair<QString, QString>> extra = {})
{
    for (const QString& key : ToolSwitches::keys()) {
        bool given = false;
        for (const auto& kv : extra)
            given = given || kv.first == key;
        if (!given)
            extra.append(qMakePair(key, QStringLiteral("false")));
    }
    home.writeSettings(extra);
}

bool showsIcon(QPushButton* button, const char* path)
{
    const QSize size(72, 36);
    return button->icon().pixmap(size).toImage() == QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
}

void press(QPushButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
}

void click(QPushButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

// Refuses the window's close, as a tool with unsaved work does when the user cancels.
class CloseRefuser : public QObject
{
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
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

    void picturesAreBuiltIn()
    {
        for (const char* path : {ShellImages::toolOn, ShellImages::toolOff, ShellImages::toolOffInForm,
                                 ShellImages::logo, ShellImages::windowIcon})
            QVERIFY2(!QPixmap(QString::fromLatin1(path)).isNull(), path);
        QVERIFY(QPixmap(ShellImages::toolOn).toImage() != QPixmap(ShellImages::toolOff).toImage());
    }

    // ---- Preferences ----

    void preferencesShowsTheStoredState_data()
    {
        QTest::addColumn<StoredValues>("stored");
        QTest::addColumn<QList<int>>("offTools");
        QTest::addColumn<bool>("scanTicked");
        QTest::addColumn<int>("map");
        QTest::newRow("no-file") << StoredValues{} << QList<int>{} << true << 0;
        QTest::newRow("capital-True-shows-off")
            << StoredValues{{"UDP", "True"}} << QList<int>{1} << true << 0;
        QTest::newRow("map-2-shows-baidu") << StoredValues{{"Map_Type", "2"}} << QList<int>{} << true << 1;
        QTest::newRow("scan-off") << StoredValues{{"Auto_Serial_Scan", "false"}, {"IMU", "false"}}
                                  << QList<int>{18} << false << 0;
    }
    void preferencesShowsTheStoredState()
    {
        QFETCH(StoredValues, stored);
        QFETCH(QList<int>, offTools);
        QFETCH(bool, scanTicked);
        QFETCH(int, map);
        TestHome home;
        if (!stored.isEmpty())
            home.writeSettings(stored);
        MainWindow w;
        w.ui->actionConfig->trigger();
        QVERIFY(w.configDialog && w.configUi);
        QDialog* dialog = w.configDialog;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Config"));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->parentWidget(), &w);
        for (int i = 0; i < ToolSwitches::toolCount; ++i) {
            const bool on = !offTools.contains(i);
            QCOMPARE(w.toolSwitches[i], on ? 1 : 0);
            QVERIFY(showsIcon(w.configUi->toolButtons[i], on ? ":images/on.png" : ":images/off.png"));
        }
        QCOMPARE(w.configUi->serial_checkBox->isChecked(), scanTicked);
        QCOMPARE(w.configUi->comboBox->currentIndex(), map);
        QCOMPARE(w.GPS_mapType, map);
    }

    void okWritesEveryKeyAndRestarts()
    {
        TestHome home;
        home.writeSettings({{"Hex", "True"}, {"COMMAND3", "ATI"}});
        MainWindow w;
        w.show();
        w.ui->actionConfig->trigger();
        Ui_Config* form = w.configUi;
        click(form->Config_COM_ON_OFF); // twice: back where it was
        click(form->Config_COM_ON_OFF);
        click(form->Config_Crypty_ON_OFF);
        QVERIFY(showsIcon(form->Config_Crypty_ON_OFF, ":images/off.png"));
        form->comboBox->setCurrentIndex(1);
        form->serial_checkBox->setChecked(false);
        QVERIFY(launched.isEmpty());
        press(form->ConfigOK_Button);

        const QByteArray text = fileText(home.settingsFile());
        for (const QString& key : ToolSwitches::keys()) {
            const bool off = key == "Hex" || key == "Crypty";
            QVERIFY2(text.contains(("\n" + key + (off ? "=false\n" : "=true\n")).toUtf8()), qPrintable(key));
        }
        QVERIFY(text.contains("\nAuto_Serial_Scan=false\n"));
        QVERIFY(text.contains("\nMap_Type=1\n"));
        QVERIFY(text.contains("\nCOMMAND3=ATI\n"));
        QCOMPARE(launched, QStringList{QCoreApplication::applicationFilePath()});
        QVERIFY(!w.isVisible());
        QTRY_VERIFY(!w.configDialog);
        QVERIFY(!w.configUi);
    }

    void okEndsTheRunningProgramOnceTheNewCopyStarted()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();
        w.ui->actionAbout->trigger(); // must not keep the old copy alive either
        bool stuck = false;
        QTimer::singleShot(0, &w, [&w] {
            w.ui->actionConfig->trigger();
            press(w.configUi->ConfigOK_Button);
        });
        QTimer::singleShot(5000, &w, [&stuck] {
            stuck = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!stuck);
        QCOMPARE(launched.size(), 1);
    }

    void cancelWritesNothing()
    {
        TestHome home;
        writeToolsOff(home, {{"GPS", "true"}});
        const QByteArray before = fileText(home.settingsFile());
        MainWindow w;
        w.ui->actionConfig->trigger();
        click(w.configUi->Config_GPS_ON_OFF);
        click(w.configUi->Config_TOF_ON_OFF);
        w.configUi->comboBox->setCurrentIndex(1);
        press(w.configUi->ConfigCancel_Button);
        QTRY_VERIFY(!w.configDialog);
        QVERIFY(!w.configUi);
        QCOMPARE(fileText(home.settingsFile()), before);
        QVERIFY(launched.isEmpty());

        w.ui->actionConfig->trigger(); // shows the stored state again
        QCOMPARE(w.toolSwitches[3], 1);
        QCOMPARE(w.toolSwitches[14], 0);
        QCOMPARE(w.configUi->comboBox->currentIndex(), 0);
    }

    void secondRequestKeepsOneDialog()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.ui->actionConfig->trigger();
        QDialog* first = w.configDialog;
        Ui_Config* firstForm = w.configUi;
        click(firstForm->Config_MQTT_ON_OFF);
        w.ui->actionConfig->trigger();
        QCOMPARE(w.configDialog.data(), first);
        QCOMPARE(w.configUi, firstForm);
        QCOMPARE(w.toolSwitches[9], 1); // the pending toggle survives
        QCOMPARE(w.findChildren<QDialog*>("Config").size(), 1);

        first->close();
        QTRY_VERIFY(!w.configDialog);
        // A toggle arriving after its dialog has gone touches nothing.
        w.Config_MQTT_ON_OFF_triggered();
        w.slotActConfigOK();
        QVERIFY(launched.isEmpty());
    }

    void unwritableSettingsAreReportedAndNothingRestarts()
    {
        TestHome home;
        QVERIFY(QDir().mkpath(home.settingsFile())); // a folder where the file belongs
        MainWindow w;
        w.show();
        {
            ModalAnswer answer("OK");
            w.ui->actionConfig->trigger();
            QVERIFY(answer.seen());
            QCOMPARE(answer.title(), QStringLiteral("Config"));
            QVERIFY(answer.text().contains(home.settingsFile()));
        }
        QVERIFY(w.configDialog);
        for (int i = 0; i < ToolSwitches::toolCount; ++i)
            QCOMPARE(w.toolSwitches[i], 1);
        ModalAnswer answer("OK");
        press(w.configUi->ConfigOK_Button);
        QVERIFY(answer.seen());
        QVERIFY(answer.text().contains("could not be saved"));
        QVERIFY(launched.isEmpty());
        QVERIFY(w.isVisible());
        QVERIFY(w.configDialog);
    }

    void refusedCloseKeepsTheRunningCopy()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();
        CloseRefuser refuser;
        w.installEventFilter(&refuser);
        w.ui->actionConfig->trigger();
        click(w.configUi->Config_COM_ON_OFF);
        press(w.configUi->ConfigOK_Button);
        QVERIFY(launched.isEmpty());
        QVERIFY(w.isVisible());
        QVERIFY(w.configDialog);
        QVERIFY(fileText(home.settingsFile()).contains("\nCOM=true\n")); // saved all the same
        w.removeEventFilter(&refuser);
    }

    void failedRestartKeepsTheWindowOpen()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();
        launchResult = false;
        w.ui->actionConfig->trigger();
        click(w.configUi->Config_UDP_ON_OFF);
        ModalAnswer answer("OK");
        press(w.configUi->ConfigOK_Button);
        QCOMPARE(launched.size(), 1);
        QVERIFY(answer.seen());
        QVERIFY(answer.text().contains("settings were saved"));
        QVERIFY(w.isVisible());
        QVERIFY(fileText(home.settingsFile()).contains("\nUDP=true\n"));
    }

    // ---- About ----

    void aboutIsCentredOnEveryRequest_data()
    {
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<QSize>("dialogSize");
        QTest::addColumn<QPoint>("expected");
        // (915 - 489) / 2 = 213, (750 - 275) / 2 = 237
        QTest::newRow("default-size") << QPoint(100, 80) << QSize(489, 275) << QPoint(313, 317);
        QTest::newRow("window-elsewhere") << QPoint(7, 3) << QSize(489, 275) << QPoint(220, 240);
        // (915 - 1000) / 2 = -42 and (750 - 801) / 2 = -25: truncated toward zero
        QTest::newRow("dialog-larger-odd") << QPoint(100, 80) << QSize(1000, 801) << QPoint(58, 55);
    }
    void aboutIsCentredOnEveryRequest()
    {
        QFETCH(QPoint, windowAt);
        QFETCH(QSize, dialogSize);
        QFETCH(QPoint, expected);
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.move(500, 400);
        w.show();
        w.ui->actionAbout->trigger(); // first shown somewhere else
        w.aboutDialog.resize(dialogSize);
        w.move(windowAt);
        QTRY_COMPARE(w.pos(), windowAt);
        w.ui->actionAbout->trigger();
        QVERIFY(w.aboutDialog.isVisible());
        QCOMPARE(w.aboutDialog.pos(), expected);
        QVERIFY(!(w.aboutDialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        int aboutWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            aboutWindows += top->objectName() == "AboutDialog" ? 1 : 0;
        QCOMPARE(aboutWindows, 1);

        QTest::mouseClick(w.aboutDialog.findChild<QPushButton*>("closeBtn"), Qt::LeftButton);
        QVERIFY(!w.aboutDialog.isVisible());
    }

    void closingTheWindowEndsTheProgramWhileAboutIsOpen()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();
        w.ui->actionAbout->trigger();
        QVERIFY(w.aboutDialog.isVisible());
        bool stuck = false;
        QTimer::singleShot(0, &w, [&w] { w.ui->actionExit->trigger(); });
        QTimer::singleShot(5000, &w, [&stuck] {
            stuck = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!stuck);
    }

    // ---- Help ----

    void helpIsOneDialogClosedByOkOnPress()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();
        w.ui->actionHelp->trigger();
        QVERIFY(w.helpOpen);
        QDialog* dialog = w.helpDialog;
        w.ui->actionHelp->trigger();
        QCOMPARE(w.helpDialog, dialog);
        QCOMPARE(w.findChildren<QDialog*>("Help").size(), 1);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Help"));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(!dialog->isModal());

        QScrollBar* bar = w.helpUi->scrollArea->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());

        QTest::mousePress(w.helpUi->helpdialogCancel, Qt::LeftButton); // no release needed
        QTRY_VERIFY(!w.helpOpen);
        QVERIFY(!w.helpUi);
        QCOMPARE(w.findChildren<QDialog*>("Help").size(), 0);

        w.ui->actionHelp->trigger();
        QVERIFY(w.helpOpen);
        QCOMPARE(w.helpUi->scrollArea->verticalScrollBar()->value(), 0);
    }

    void helpCardReadsAsTheConsolesExpect()
    {
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.ui->actionHelp->trigger();
        const Ui_Help* card = w.helpUi;
        QStringList groups;
        for (QGroupBox* box : card->groups)
            groups << box->title();
        QCOMPARE(groups,
                 (QStringList{"GPS:", "Environment:", "Oscilloscope:", "Spectra:", "TOF:", "CIE:", "IMU:"}));
        QCOMPARE(card->exampleBoxes.size(), 14);
        QCOMPARE(card->formatLabels.first()->text(),
                 QStringLiteral("Latitude:xx.xxxxx,Longitude:xxx.xxxxx\\r\\n"));
        QCOMPARE(card->exampleBoxes.first()->toPlainText(),
                 QStringLiteral("Latitude:39.92215,Longitude:116.46478\\r\\n"));
        // Every line the card shows ends as the devices end theirs, written out.
        for (int i = 0; i < card->exampleBoxes.size(); ++i) {
            QVERIFY(card->formatLabels.at(i)->text().endsWith("\\r\\n"));
            QVERIFY(card->exampleBoxes.at(i)->toPlainText().endsWith("\\r\\n"));
            QVERIFY(card->exampleBoxes.at(i)->toHtml().contains("#008000"));
            QCOMPARE(card->exampleBoxes.at(i)->maximumHeight(), 25);
        }
        // The third spectrometer block lists F1 to F18 in order.
        QString eighteen;
        for (int n = 1; n <= 18; ++n)
            eighteen += QStringLiteral("F%1:xxxx\\r\\n").arg(n);
        QCOMPARE(card->formatLabels.at(10)->text(), eighteen);
        QCOMPARE(card->sensorLabels.size(), 3);
    }

    // ---- Update check ----

    void updateCheck_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("download");
        const QString latest = "Already the latest version.";
        const QString found = "Found a new version.";
        const QString lost = "Network connection lost. Please check your network settings.";
        const QString unreadable = "The update server sent no readable version. Please try again later.";

        QTest::newRow("http-same") << peers.httpUrl() << QByteArray("\"3.4.4\"\n") << latest << false;
        QTest::newRow("http-newer") << peers.httpUrl() << QByteArray("\"3.4.5\"\n") << found << true;
        QTest::newRow("http-patch-10") << peers.httpUrl() << QByteArray("\"3.4.10\"\n") << found << true;
        QTest::newRow("http-older-big-patch")
            << peers.httpUrl() << QByteArray("\"3.3.200\"\n") << latest << false;
        QTest::newRow("https-newer") << peers.httpsUrl() << QByteArray("\"4.0.0\"\n") << found << true;
        QTest::newRow("https-untrusted")
            << peers.untrustedHttpsUrl() << QByteArray("\"4.0.0\"\n") << lost << false;
        QTest::newRow("http-malformed") << peers.httpUrl() << QByteArray("\"3.4\"\n") << unreadable << false;
        QTest::newRow("http-empty") << peers.httpUrl() << QByteArray() << lost << false;
        QTest::newRow("http-error-status")
            << peers.httpUrl("/software/NOT_THERE") << QByteArray("\"9.9.9\"\n") << lost << false;
        QTest::newRow("refused") << peers.refusedUrl() << QByteArray("\"9.9.9\"\n") << lost << false;
        QTest::newRow("silent") << peers.silentUrl() << QByteArray("\"9.9.9\"\n") << lost << false;
    }
    void updateCheck()
    {
        QFETCH(QString, url);
        QFETCH(QByteArray, page);
        QFETCH(QString, text);
        QFETCH(bool, download);
        QVERIFY(peers.setPage(page));
        qputenv("PLAX_VERSION_URL", url.toUtf8());
        TestHome home;
        writeToolsOff(home);
        MainWindow w;
        w.show();

        bool enabledDuringFetch = true;
        QTimer::singleShot(0, &w, [&] { enabledDuringFetch = w.isEnabled(); });
        ModalAnswer answer("Cancel", 10000);
        w.ui->actionCheck_Update->trigger();
        QVERIFY(!enabledDuringFetch);
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("Message"));
        QCOMPARE(answer.text(), text);
        QCOMPARE(answer.buttons(), QStringList{"Cancel"});
        QVERIFY(w.isEnabled());
        if (download)
            QCOMPARE(browser.opened, QList<QUrl>{QUrl("http://127.0.0.1:9/software/download")});
        else
            QVERIFY(browser.opened.isEmpty());
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
