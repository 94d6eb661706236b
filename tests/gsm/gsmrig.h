#pragma once

// A window whose GSM tab talks to a modem played on a pseudo-terminal, and
// a helper that answers the dialogs the tab brings up.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QSocketNotifier>

#include <functional>

#include <unistd.h>

#include "app/styles.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"

namespace gsmtest {

inline const QByteArray linkStart = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"5000\"";

// The modem, inside the test's event loop: it echoes each command line, answers it from
// a table and records what came. A line ends at "\r\n"; data after a ">" prompt ends at Ctrl-Z.
class FakeModem
{
public:
    explicit FakeModem(PtyPair& pty) : m_pty(pty), m_notifier(pty.masterFd(), QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { readable(); });
    }
    // Reply to a command (given without its line end); commands not in the table get none.
    void answer(const QByteArray& command, const QByteArray& reply) { m_replies[command] = reply; }
    // A modem with caller display, ringer and text mode on that accepts everything the tab sends.
    void answerEverything()
    {
        answer("AT+CLIP?", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n");
        answer("AT+CALM?", "\r\n+CALM: 0\r\n\r\nOK\r\n");
        answer("AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n");
        answer("AT+CSQ", "\r\n+CSQ: 15,0\r\n\r\nOK\r\n");
        for (const char* c :
             {"AT+CLIP=1", "AT+CLIP=0", "AT+CALM=1", "AT+CMGF=1", "AT+CMGF=0", "ATD7;", "ATA", "ATH",
              "AT+CSMP=17,167,2,25", "AT+CSCS=\"UCS2\"", "AT+CMGD=3,0", "AT+CMGDA=DEL ALL",
              "AT+CGCLASS=\"B\"", "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1", "AT+CIPCSGP=1,\"CMNET\"",
              "AT+CLPORT=\"TCP\",\"2222\"", "AT+CIPCLOSE=1", "AT+CIPSHUT"})
            answer(c, "\r\nOK\r\n");
        answer("AT+CMGS=\"0031\"", "\r\n> ");
        answer("0041", "\r\n+CMGS: 1\r\n\r\nOK\r\n");
        answer("AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02\"\r\n0041\r\n\r\nOK\r\n");
        answer(linkStart, "\r\nOK\r\n\r\nCONNECT OK\r\n");
        answer("AT+CIPSEND", "\r\n> ");
        answer("hi", "\r\nSEND OK\r\n");
    }
    void send(const QByteArray& bytes) { m_pty.write(bytes); }

    QByteArray received;                              // every byte the program wrote
    QList<QByteArray> commands;                       // each command or data block, without its end
    std::function<void(const QByteArray&)> onCommand; // called for each of them
    bool echo = true;

private:
    void readable()
    {
        char buf[4096];
        const ssize_t n = ::read(m_pty.masterFd(), buf, sizeof buf);
        if (n <= 0)
            return;
        received.append(buf, int(n));
        m_pending.append(buf, int(n));
        for (;;) {
            const int line = m_pending.indexOf("\r\n");
            const int data = m_pending.indexOf('\x1a');
            const bool isData = data >= 0 && (m_dataMode || line < 0 || data < line);
            if (!isData && (m_dataMode || line < 0))
                return;
            const int end = isData ? data : line;
            const QByteArray cmd = m_pending.left(end);
            m_pending.remove(0, end + (isData ? 1 : 2));
            commands << cmd;
            if (onCommand)
                onCommand(cmd);
            const QByteArray reply = (isData || !echo ? QByteArray() : cmd + "\r") + m_replies.value(cmd);
            m_dataMode = !isData && reply.contains('>');
            if (!reply.isEmpty())
                m_pty.write(reply);
        }
    }
    PtyPair& m_pty;
    QSocketNotifier m_notifier;
    QByteArray m_pending;
    QHash<QByteArray, QByteArray> m_replies;
    bool m_dataMode = false;
};

inline bool iconIs(const QPushButton* button, const char* path)
{
    const QSize size(48, 24);
    return button->icon().pixmap(size).toImage() == QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
}

inline bool signalShows(const QLabel* label, const char* path)
{
    return label->pixmap().toImage() == QPixmap(QString::fromLatin1(path)).toImage();
}

// Answers the modal dialogs that come up, in turn: presses a message box button
// by its text, or types into an input dialog and accepts it. Records "title|text" of each.
class ModalScript
{
public:
    explicit ModalScript(QStringList answers) : m_answers(std::move(answers))
    {
        QTimer::singleShot(20, &m_context, [this] { poll(); });
    }
    QStringList seen;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != m_last && !m_answers.isEmpty()) {
            m_last = modal;
            const QString answer = m_answers.takeFirst();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << box->windowTitle() + "|" + box->text();
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text().remove('&') == answer) {
                        b->click();
                        break;
                    }
                }
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                seen << input->windowTitle() + "|" + input->labelText();
                input->setTextValue(answer);
                input->accept();
            }
        }
        if (!m_answers.isEmpty() || modal)
            QTimer::singleShot(20, &m_context, [this] { poll(); });
    }
    QStringList m_answers;
    QPointer<QWidget> m_last;
    QObject m_context;
};

// A window with only the GSM tab among the serial consoles, its port list holding the pty;
// the modem accepts everything unless told to stay silent.
struct Rig : ConsoleRig
{
    FakeModem modem{pty};
    explicit Rig(bool silent = false) : ConsoleRig(QStringLiteral("GSM"))
    {
        ui->GSMportNameComboBox->setCurrentText(pty.slavePath());
        if (!silent)
            modem.answerEverything();
    }
    void open()
    {
        modem.commands.clear();
        press(ui->GSMopencompushButton);
    }
    QString status() const { return ui->statusBar->currentMessage(); }
};

} // namespace gsmtest
