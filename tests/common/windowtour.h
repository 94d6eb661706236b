#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QList>

#include <functional>
#include <utility>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"

// Lets pending layout requests and paints run, so sizes and texts are final.
inline void settleLayouts()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

// The window's dialogs, each opened as its menu entry or button opens it; each opener
// returns the dialog it showed.
inline QList<std::pair<const char*, std::function<QDialog*()>>> windowDialogs(MainWindow& w)
{
    return {{"preferences", [&w] { return w.ui->actionConfig->trigger(), w.configDialog; }},
            {"about", [&w] { return w.ui->actionAbout->trigger(), static_cast<QDialog*>(&w.aboutDialog); }},
            {"help", [&w] { return w.ui->actionHelp->trigger(), w.helpDialog; }},
            {"presets", [&w] { return w.slotCom_expand(), w.COM_expandDialog; }},
            {"gps-calculator", [&w] { return w.slotGPScalculate(), w.GPS_calculateDialog; }},
            {"gps-satellites", [&w] { return w.slotGPSsignal(), w.GPS_signalDialog; }},
            {"i2c-read", [&w] { return w.slotI2Cdump_read_ui(), w.I2Cdump_readDialog; }},
            {"i2c-write", [&w] { return w.slotI2Cdump_write_ui(), w.I2Cdump_writeDialog; }}};
}
