#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/toolswitches.h"
#include "tests/common/press.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"

// A main window with only the tools a console test needs and a pseudo-terminal in every port
// list; the test plays the board on the master end. Header-only: tests that use it link plax_app.
struct ConsoleRig
{
    TestHome home;
    PtyPair pty;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;

    // Every tool but those that bring web views or network sockets, plus `extraSettings`.
    explicit ConsoleRig(const QList<QPair<QString, QString>>& extraSettings = {})
    {
        QList<QPair<QString, QString>> settings;
        for (const char* tool : {"GPS", "GSM", "MQTT", "Ble", "Convert", "Hex", "Modbus"})
            settings.append({QString::fromLatin1(tool), "false"});
        start(settings + extraSettings);
    }

    // Only the tool with this settings key.
    explicit ConsoleRig(const QString& onlyTool)
    {
        QList<QPair<QString, QString>> settings;
        for (const QString& key : ToolSwitches::keys())
            settings.append({key, key == onlyTool ? "true" : "false"});
        start(settings);
    }

    // Every tool on, as a user who switched nothing off has it.
    struct AllTools
    {
    };
    explicit ConsoleRig(AllTools)
    {
        QList<QPair<QString, QString>> settings;
        for (const QString& key : ToolSwitches::keys())
            settings.append({key, "true"});
        start(settings);
    }

    void start(QList<QPair<QString, QString>> settings)
    {
        settings.prepend({"Auto_Serial_Scan", "false"});
        home.writeSettings(settings);
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
    }

    static void press(QAbstractButton* button) { ::press(button); }

    // Writes as the board, letting the window's event loop run before each 1 KiB piece.
    bool send(const QByteArray& data)
    {
        for (qsizetype done = 0; done < data.size(); done += 1024) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (pty.write(data.mid(done, 1024)) != qMin<qsizetype>(1024, data.size() - done))
                return false;
        }
        return true;
    }

    // What the program sent to the board; waits until `atLeast` bytes came or the time is up.
    QByteArray read(int atLeast, int timeoutMs = 2000)
    {
        QByteArray got;
        QDeadlineTimer deadline(timeoutMs);
        while (got.size() < atLeast && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            got += pty.read(1, 5);
        }
        return got;
    }

    // Whatever arrives within a short quiet spell (used to show that nothing was sent).
    QByteArray drain(int quietMs = 300)
    {
        QByteArray got;
        QDeadlineTimer deadline(quietMs);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            got += pty.read(1, 5);
        }
        return got;
    }
};
