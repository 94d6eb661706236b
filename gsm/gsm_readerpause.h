#pragma once

#include <QPointer>

#include "app/mainwindow.h"
#include "serial/threadserial.h"

// Keeps the unsolicited-result reader off the port for one GSM action, so the
// action's own reads see the modem's reply, and puts it back on every way out;
// but only onto the port the action started on, never onto a later opening.
// The results the action's reads took in meanwhile are then handled in turn.
class GsmReaderPause
{
public:
    explicit GsmReaderPause(MainWindow* window) : m_window(window), m_worker(window->Serial_thread)
    {
        m_window->GSMsetReadComINT(false);
    }
    ~GsmReaderPause()
    {
        const bool samePort = m_worker && m_worker == m_window->Serial_thread;
        if (m_attach && samePort)
            m_window->GSMsetReadComINT(true);
        m_window->GSM_replayHeldResults(samePort);
    }
    GsmReaderPause(const GsmReaderPause&) = delete;
    GsmReaderPause& operator=(const GsmReaderPause&) = delete;

    // The action hands the port to another reader: leave the unsolicited one off.
    void keepOff() { m_attach = false; }

private:
    MainWindow* m_window;
    QPointer<ThreadSerial> m_worker;
    bool m_attach = true;
};
