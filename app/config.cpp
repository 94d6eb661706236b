#include "app/mainwindow.h"

#include <QSettings>
#include <QTabWidget>

#include "app/mainwindow_form.h"

int MainWindow::Config()
{
    connect(ui->actionConfig, SIGNAL(triggered()), this, SLOT(slotActionConfig()));

    settings = new QSettings(ToolSwitches::settingsFilePath(), QSettings::IniFormat, this);
    for (int i = 0; i < toolCount; ++i)
        toolKeys[i] = ToolSwitches::keys().at(i);

    bool on[ToolSwitches::toolCount];
    for (int i = 0; i < toolCount; ++i)
        on[i] = ToolSwitches::isOn(settings->value(toolKeys[i]));

    // Tabs are in key order, so the running count of kept tabs is the position
    // of the next tool's own tab.
    int kept = 0;
    for (int i = 0; i < toolCount; ++i) {
        if (on[i])
            ++kept;
        else
            ui->tabWidget->removeTab(kept);
    }
    return kept;
}

void MainWindow::slotActionConfig() {}
