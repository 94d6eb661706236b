#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Gives a test its own empty home directory for its lifetime and restores HOME after. The XDG
// folders are unset meanwhile, so that everything Qt keeps per user follows into that home.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    QString path() const { return m_dir.path(); }
    // The program's settings file inside this home.
    QString settingsFile() const;
    // Writes key=value lines into the settings file (top level, INI format).
    void writeSettings(const QList<QPair<QString, QString>>& values) const;

private:
    QTemporaryDir m_dir;
    QList<QPair<const char*, QByteArray>> m_saved; // variables as they were
};
