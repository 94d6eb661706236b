#include "tests/common/testhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome()
{
    m_saved.append({"HOME", qgetenv("HOME")});
    qputenv("HOME", m_dir.path().toLocal8Bit());
    for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        m_saved.append({folder, qgetenv(folder)});
        qunsetenv(folder);
    }
}

TestHome::~TestHome()
{
    for (const auto& [name, value] : m_saved) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

QString TestHome::settingsFile() const
{
    return m_dir.path() + QStringLiteral("/.config/Quenlix/PLAX/plax_config.ini");
}

void TestHome::writeSettings(const QList<QPair<QString, QString>>& values) const
{
    const QString file = settingsFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(file));
    out.write("[General]\n");
    for (const auto& kv : values)
        out.write((kv.first + QLatin1Char('=') + kv.second + QLatin1Char('\n')).toUtf8());
}
