#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// cutecom (a Qt widget serial terminal) as a benchmark peer on the same X server: a session
// file of its own names the pty, and its Open button is pressed through the X server
// (xdotool), as a user would. Ended by its own process id.
class CuteCom
{
public:
    CuteCom() = default;
    CuteCom(const CuteCom&) = delete;
    CuteCom& operator=(const CuteCom&) = delete;
    ~CuteCom();

    // Starts it on `device` and opens the port; `stamps` and `hex` switch on its time stamps
    // and hex output. False when any step failed within its bound.
    bool start(const QString& device, bool stamps, bool hex);
    qint64 pid() const { return m_process.processId(); }
    // Both cutecom and xdotool are installed.
    static bool available();

private:
    QTemporaryDir m_home;
    QProcess m_process;
};
