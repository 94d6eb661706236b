#include "tests/common/cutecompeer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

#include <functional>

namespace {

bool holdsOpen(qint64 pid, const QString& device)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == device)
            return true;
    return false;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(50);
    return done();
}

} // namespace

bool CuteCom::start(const QString& device, bool stamps, bool hex)
{
    const QString dir = m_home.path() + "/.config/CuteCom";
    QDir().mkpath(dir);
    QFile conf(dir + "/CuteCom5.conf");
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    conf.write(QStringLiteral("[sessions]\n1\\BaudRate=115200\n1\\DataBits=8\n1\\Device=%1\n"
                              "1\\FlowControl=0\n1\\OpenMode=3\n1\\Parity=0\n1\\StopBits=1\n"
                              "1\\autoReconnect=false\n1\\name=Default\n1\\showCtrlCharacters=false\n"
                              "1\\showTimestamp=%2\nsize=1\n")
                   .arg(device, stamps ? "true" : "false")
                   .toUtf8());
    conf.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_home.path());
    env.remove("QT_QPA_PLATFORM");
    m_process.setProcessEnvironment(env);
    m_process.start("cutecom", {"-s", "Default"});
    if (!m_process.waitForStarted())
        return false;
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--pid", QString::number(pid())});
    if (!search.waitForFinished(15000))
        return false;
    const QString window = QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0);
    const auto key = [&window](const char* keys) {
        return QProcess::execute("xdotool", {"windowfocus", "--sync", window, "key", keys}) == 0;
    };
    if (window.isEmpty() || !key("alt+o") || !waitFor([&] { return holdsOpen(pid(), device); }, 10000))
        return false;
    return !hex || key("alt+x");
}

CuteCom::~CuteCom()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool CuteCom::available()
{
    return !QStandardPaths::findExecutable("cutecom").isEmpty() &&
           !QStandardPaths::findExecutable("xdotool").isEmpty();
}
