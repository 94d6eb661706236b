#pragma once

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/toolswitches.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"

// A main window with only one sensor console switched on, whose port list offers the slave end
// of a fresh pseudo-terminal: the test plays the board on the master end.
struct ConsoleRig
{
    TestHome home;
    PtyPair pty;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;

    explicit ConsoleRig(const QString& tool)
    {
        QList<QPair<QString, QString>> values{{"Auto_Serial_Scan", "false"}};
        for (const QString& key : ToolSwitches::keys())
            values.append({key, key == tool ? "true" : "false"});
        home.writeSettings(values);
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
    }

    static void press(QPushButton* button)
    {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    }

    // Writes as the board; the window's event loop runs while the bytes go.
    bool send(const QByteArray& data)
    {
        QCoreApplication::processEvents();
        return pty.write(data) == data.size();
    }
};
