// Preferences, About and the update check, driven through the main window's menu; the
// version page reader and the bounded fetch behind the check, against local web servers.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/check_update.h"
#include "app/config_form.h"
#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/selfrestart.h"
#include "app/shell_images.h"
#include "app/toolswitches.h"
#include "tests/common/filelimits.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/press.h"
#include "tests/common/testhome.h"

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
            stored.append({key, "false"});
    return stored;
}

// A main window over its own home, whose settings file holds `stored` (a folder in its
// place, which nothing can write, when `unwritable`).
struct Shell
{
    explicit Shell(const StoredValues& stored = toolsOff(), bool unwritable = false)
        : ready(unwritable ? QDir().mkpath(home.settingsFile()) : (home.writeSettings(stored), true))
    {
    }
    TestHome home;
    bool ready;
    MainWindow w;
};

bool showsIcon(QPushButton* button, const char* path)
{
    const QImage wanted = QIcon(QString::fromLatin1(path)).pixmap(QSize(72, 36)).toImage();
    return !wanted.isNull() && button->icon().pixmap(QSize(72, 36)).toImage() == wanted;
}

// Runs the event loop: true when the program ends it by itself (code 0) within 5 s.
bool endsWithin5s(QObject* context)
{
    QTimer::singleShot(5000, context, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec() == 0;
}

// Refuses the window's close, as a tool with unsaved work does when the user cancels.
struct CloseRefuser : QObject
{
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::Close && (event->ignore(), true);
    }
};

// The far side of the update check: a version page served from a temporary folder by a
// local HTTP server and by two HTTPS servers, one with a certificate the test trusts and one
// with a stranger's; plus a port that accepts and never answers and one where nobody listens.
class VersionPeers
{
public:
    enum Peer { Http, Https, UntrustedHttps, Silent, Refused };
    QString error; // why start() failed

    bool start()
    {
        if (!QDir(m_dir.path()).mkpath("www/software") || !setPage("\"3.4.4\"\n") ||
            !QSslSocket::supportsSsl())
            return fail("cannot prepare the served folder, or no TLS backend");
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        if (!serve(Http, {}) || !serve(Https, "trusted") || !serve(UntrustedHttps, "stranger"))
            return false;
        if (!trusting.addCaCertificates(m_dir.filePath("trusted.crt")))
            return fail("cannot trust the test certificate");
        QSslConfiguration::setDefaultConfiguration(trusting);
        // Held bound but never listening, so it refuses and no other program can take it.
        if (!m_refusing.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress))
            return fail(m_refusing.errorString());
        m_ports[Refused] = m_refusing.localPort();
        return m_silent.listen(QHostAddress::LocalHost) ? (m_ports[Silent] = m_silent.serverPort(), true)
                                                        : fail(m_silent.errorString());
    }
    bool setPage(const QByteArray& body) const // served at /software/PLAX_VERSION
    {
        QFile page(m_dir.filePath("www/software/PLAX_VERSION"));
        return page.open(QIODevice::WriteOnly | QIODevice::Truncate) && page.write(body) == body.size();
    }
    QString url(Peer peer, const QString& path = "/software/PLAX_VERSION") const
    {
        const char* scheme = peer == Https || peer == UntrustedHttps ? "https" : "http";
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(m_ports[peer]).arg(path);
    }

private:
    bool fail(const QString& why, const QByteArray& output = {})
    {
        error = why + QString::fromLocal8Bit(output);
        return false;
    }
    // Serves the folder, over HTTPS with a self-signed certificate for 127.0.0.1 when `name` is given.
    bool serve(Peer peer, const QString& name)
    {
        const QString crt = m_dir.filePath(name + ".crt"), key = m_dir.filePath(name + ".key");
        QStringList args{"-c", server, m_dir.filePath("www")};
        if (!name.isEmpty()) {
            QProcess openssl;
            openssl.setProcessChannelMode(QProcess::MergedChannels);
            openssl.start("openssl",
                          {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                           "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                           "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", crt});
            if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0)
                return fail("openssl failed: ", openssl.readAll());
            args << crt << key;
        }
        return (m_ports[peer] = m_servers[peer].startTellingPort(systemPython(), args, "serving")) ||
               fail("web server did not start: ", m_servers[peer].output());
    }
    static constexpr char server[] = R"(
import functools, http.server, ssl, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.HTTPServer(('127.0.0.1', 0), handler)
if len(sys.argv) > 2:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[2], sys.argv[3])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print('serving', server.server_port, flush=True)
server.serve_forever()
)";

    QTemporaryDir m_dir;
    PeerProcess m_servers[3];
    QTcpServer m_silent;
    QTcpSocket m_refusing;
    quint16 m_ports[5] = {};
};

} // namespace

class TestShellDialogs : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.append(url); } // the pages the program asks the desktop to open

private slots:
    void initTestCase()
    {
        QVERIFY2(peers.start(), qPrintable(peers.error));
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
        qputenv("PLAX_DOWNLOAD_URL", "http://127.0.0.1:9/software/download");
        GetHtml::timeoutMs = 1500;
        SelfRestart::launcher() = [this](const QString& program) {
            launched.append(program);
            return launchResult;
        };
    }
    void init()
    {
        launched.clear();
        launchResult = true;
        opened.clear();
    }

    void versionPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("version"); // empty: unreadable
        QTest::addColumn<bool>("newer");      // than 3.4.4
        auto row = [](const char* tag, const char* page, const char* version = "", bool newer = false) {
            QTest::newRow(tag) << page << version << newer;
        };
        // clang-format off
        row("same", "\"3.4.4\"\n", "3.4.4");
        row("next-patch", "\"3.4.5\"\n", "3.4.5", true);
        row("next-major", "\"4.0.0\"\n", "4.0.0", true);
        row("two-digit-patch", "\"3.4.10\"\n", "3.4.10", true);
        row("older-minor-big-patch", "\"3.3.200\"\n", "3.3.200"); // as one number 30500 would pass 30404
        row("older-major-big-minor", "\"2.99.99\"\n", "2.99.99");
        int n = 0; // no line feed, unquoted with CRLF, text before the quote, blanks around the numbers
        for (const char* good : {"\"3.4.5\"", "3.4.5\r\n", "PLAX \"3.4.5\"\n", "\" 3 . 4 . 5 \"\n"})
            QTest::addRow("readable-%d", n++) << good << "3.4.5" << true;
        n = 0; // empty, two or four numbers, signed, empty number, beyond int, an error page
        for (const char* bad : {"", "\"3.4\"\n", "\"3.4.4.1\"\n", "\"3.-4.5\"\n", "\"3..5\"\n", "\"3.4.99999999999\"\n",
                                "<html><body lang=\"en\">Not here</body></html>\n"})
            QTest::addRow("unreadable-%d", n++) << bad << "" << false;
        // clang-format on
    }
    void versionPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, version);
        const std::optional<UpdateCheck::Version> got = UpdateCheck::parseVersionPage(page);
        QCOMPARE(got.has_value(), !version.isEmpty());
        if (got) {
            QCOMPARE(QString("%1.%2.%3").arg(got->major).arg(got->minor).arg(got->patch), version);
            QTEST(UpdateCheck::isNewer(*got, UpdateCheck::currentVersion()), "newer");
        }
    }

    // What the fetch returns: the body as UTF-8, cut at the bound.
    void fetch()
    {
        QVERIFY(peers.setPage("\"3.4.5\" \xc2\xb5\n"));
        QCOMPARE(GetHtml::getHtml(peers.url(VersionPeers::Http)), QStringLiteral("\"3.4.5\" \u00b5\n"));
        QVERIFY(peers.setPage("\"3.4.5\"\n" + QByteArray(GetHtml::maxBodyBytes * 3, 'x')));
        const QString page = GetHtml::getHtml(peers.url(VersionPeers::Http));
        QVERIFY(page.size() == GetHtml::maxBodyBytes && page.startsWith("\"3.4.5\"\n"));
    }

    // The dialog shows the stored state; a second request brings the same dialog back with
    // its pending toggles; Cancel, and toggles arriving after the dialog went, write nothing.
    void preferencesShowStoredStateAndCancelWritesNothing()
    {
        Shell s(
            toolsOff({{"UDP", "True"}, {"GPS", "true"}, {"Map_Type", "2"}, {"Auto_Serial_Scan", "false"}}));
        const QByteArray before = fileText(s.home.settingsFile());
        const auto showsStored = [&] {
            for (int i = 0; i < ToolSwitches::toolCount; ++i)
                QVERIFY(showsIcon(s.w.configUi->toolButtons[i],
                                  i == ToolSwitches::Gps ? ShellImages::toolOn : ShellImages::toolOff));
            QVERIFY(!s.w.configUi->serial_checkBox->isChecked());
            QCOMPARE(s.w.configUi->comboBox->currentIndex(), 1);
        };
        s.w.ui->actionConfig->trigger();
        showsStored();
        QDialog* first = s.w.configDialog;
        press(s.w.configUi->Config_GPS_ON_OFF);
        press(s.w.configUi->Config_TOF_ON_OFF);
        s.w.configUi->comboBox->setCurrentIndex(0);
        s.w.ui->actionConfig->trigger();
        QCOMPARE(s.w.configDialog, first);
        QCOMPARE(s.w.toolSwitches[ToolSwitches::Gps], 0); // the pending toggle survives
        QTest::mousePress(s.w.configUi->ConfigCancel_Button, Qt::LeftButton);
        QTRY_VERIFY(!s.w.configDialog);
        QVERIFY(!s.w.configUi);
        s.w.Config_MQTT_ON_OFF_triggered();
        s.w.slotActConfigOK();
        QCOMPARE(fileText(s.home.settingsFile()), before);
        QVERIFY(launched.isEmpty());
        s.w.ui->actionConfig->trigger();
        showsStored();
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
        QTimer::singleShot(0, &s.w, [form] { QTest::mousePress(form->ConfigOK_Button, Qt::LeftButton); });
        QVERIFY(endsWithin5s(&s.w));
        const QByteArray text = fileText(s.home.settingsFile()); // written while the window lives
        for (const QString& key : ToolSwitches::keys()) {
            const bool off = key == "Hex" || key == "Crypty";
            QVERIFY2(text.contains(("\n" + key + (off ? "=false\n" : "=true\n")).toUtf8()), qPrintable(key));
        }
        for (const char* line : {"\nAuto_Serial_Scan=false\n", "\nMap_Type=1\n", "\nCOMMAND3=ATI\n"})
            QVERIFY2(text.contains(line), line);
        QCOMPARE(launched, QStringList{QCoreApplication::applicationFilePath()});
        QVERIFY(!s.w.isVisible());
        QTRY_VERIFY(!s.w.configDialog && !s.w.configUi);
    }

    // The running copy stays when the settings cannot be written, its window refuses
    // to close or the new copy cannot start.
    void okWithoutRestart_data()
    {
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<int>("launches");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings-unwritable") << true << 0 << "could not be saved";
        QTest::newRow("close-refused") << false << 0 << "";
        QTest::newRow("restart-failed") << false << 1 << "settings were saved";
    }
    void okWithoutRestart()
    {
        QFETCH(bool, unwritable);
        QFETCH(int, launches);
        Shell s(toolsOff(), unwritable);
        s.w.show();
        CloseRefuser refuser;
        if (QTest::currentDataTag() == QByteArray("close-refused"))
            s.w.installEventFilter(&refuser);
        launchResult = false;
        {
            ModalAnswer answer("OK");
            s.w.ui->actionConfig->trigger();
            if (unwritable) { // told at once, and shown with every tool on
                QCOMPARE(answer.title(), QStringLiteral("Config"));
                QVERIFY(answer.text().contains(s.home.settingsFile()));
                QCOMPARE(s.w.toolSwitches[ToolSwitches::Udp], 1);
            }
        }
        press(s.w.configUi->Config_UDP_ON_OFF);
        ModalAnswer answer("OK");
        QTest::mousePress(s.w.configUi->ConfigOK_Button, Qt::LeftButton);
        QCOMPARE(launched.size(), launches);
        QFETCH(QString, message);
        QVERIFY(answer.text().contains(message));
        QVERIFY(s.w.isVisible() && (s.w.configDialog || launches));
        QCOMPARE(fileText(s.home.settingsFile()).contains("\nUDP=true\n"), !unwritable);
        s.w.removeEventFilter(&refuser);
    }

    // A save that failed leaves its values pending: the next opening shows them and says the
    // file could not be written; a file that cannot be read is told apart, with its reason.
    void preferencesTellUnreadableFromUnwritable_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("udpShown");
        QTest::newRow("read-only") << int(QFile::ReadOwner) << "could not be written" << 1;
        QTest::newRow("unreadable") << 0 << "could not be read" << 1; // the defaults
    }
    void preferencesTellUnreadableFromUnwritable()
    {
        QFETCH(int, mode);
        Shell s;
        s.w.show();
        QVERIFY(QFile::setPermissions(s.home.settingsFile(), QFile::Permissions(mode)));
        ObeyFileModes asAnyUser;
        {
            ModalAnswer unreadable("OK"); // told at once when the file cannot be read
            s.w.ui->actionConfig->trigger();
        }
        press(s.w.configUi->Config_UDP_ON_OFF);
        {
            ModalAnswer failed("OK");
            QTest::mousePress(s.w.configUi->ConfigOK_Button, Qt::LeftButton);
            QVERIFY2(failed.text().contains("could not be saved") &&
                         failed.text().contains(QString::fromLocal8Bit(strerror(EACCES))),
                     qPrintable(failed.text()));
        }
        QTest::mousePress(s.w.configUi->ConfigCancel_Button, Qt::LeftButton);
        QTRY_VERIFY(!s.w.configDialog);
        ModalAnswer answer("OK");
        s.w.ui->actionConfig->trigger();
        QFETCH(QString, message);
        QVERIFY2(answer.text().contains(message) &&
                     answer.text().contains(QString::fromLocal8Bit(strerror(EACCES))),
                 qPrintable(answer.text()));
        QTEST(s.w.toolSwitches[ToolSwitches::Udp], "udpShown");
    }

    // About is centred on every request, also when larger than the window (the
    // halves truncate toward zero); Exit ends the program while it is open. The
    // window then goes while Preferences and Help are open: their end must not reach it.
    void aboutCentredAndExitWithDialogsOpen()
    {
        auto s = std::make_unique<Shell>();
        s->w.move(500, 400);
        s->w.show();
        s->w.ui->actionAbout->trigger(); // first shown somewhere else
        s->w.aboutDialog.resize(1000, 801);
        s->w.move(100, 80);
        QTRY_COMPARE(s->w.pos(), QPoint(100, 80));
        s->w.ui->actionAbout->trigger();
        QCOMPARE(s->w.aboutDialog.pos(), QPoint(100 + (915 - 1000) / 2, 80 + (750 - 801) / 2)); // 58, 55
        const QWidgetList tops = QApplication::topLevelWidgets();
        QCOMPARE(std::count(tops.begin(), tops.end(), &s->w.aboutDialog), 1);
        QTimer::singleShot(0, &s->w, [&s] { s->w.ui->actionExit->trigger(); });
        QVERIFY(endsWithin5s(&s->w));
        s->w.ui->actionConfig->trigger();
        s->w.ui->actionHelp->trigger();
        for (QDialog* dialog : {s->w.configDialog, s->w.helpDialog})
            QVERIFY(dialog && !QObject::disconnect(dialog, nullptr, &s->w, nullptr));
        s.reset();
    }

    // Each kind of answer to "Check Update".
    void updateCheck_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("text");
        const QString latest = "Already the latest version.";
        const QString lost = "Network connection lost. Please check your network settings.";
        const QString unreadable = "The update server sent no readable version. Please try again later.";
        const QByteArray newer = "\"4.0.0\"\n";
        // clang-format off
        QTest::newRow("http-same") << peers.url(VersionPeers::Http) << QByteArray("\"3.4.4\"\n") << latest;
        QTest::newRow("https-newer") << peers.url(VersionPeers::Https) << newer << found;
        QTest::newRow("https-untrusted") << peers.url(VersionPeers::UntrustedHttps) << newer << lost;
        QTest::newRow("http-malformed") << peers.url(VersionPeers::Http) << QByteArray("\"3.4\"\n") << unreadable;
        QTest::newRow("http-empty") << peers.url(VersionPeers::Http) << QByteArray() << lost;
        QTest::newRow("http-error-status") << peers.url(VersionPeers::Http, "/software/NOT_THERE") << newer << lost;
        QTest::newRow("refused") << peers.url(VersionPeers::Refused) << newer << lost;
        QTest::newRow("silent") << peers.url(VersionPeers::Silent) << newer << lost;
        // clang-format on
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
        QVERIFY(!enabledDuringFetch && s.w.isEnabled());
        QCOMPARE(answer.title(), QStringLiteral("Message"));
        QCOMPARE(answer.text(), text);
        QCOMPARE(answer.buttons(), QStringList{"Cancel"});
        QCOMPARE(opened,
                 text == found ? QList<QUrl>{QUrl("http://127.0.0.1:9/software/download")} : QList<QUrl>{});
    }

private:
    const QString found = "Found a new version.";
    VersionPeers peers;
    QList<QUrl> opened;
    QStringList launched;
    bool launchResult = true;
};

QTEST_MAIN(TestShellDialogs)
#include "tst_shell_dialogs.moc"
