#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>

#include "app/config_form.h"
#include "app/config_settings.h"
#include "app/mainwindow_form.h"
#include "app/selfrestart.h"
#include "app/settingsfile.h"
#include "app/shell_images.h"
#include "app/styles.h"

namespace {

// Toggle slots of the tool buttons, in tool index order.
const char* const configToggleSlots[ToolSwitches::toolCount] = {
    SLOT(Config_COM_ON_OFF_triggered()),          SLOT(Config_UDP_ON_OFF_triggered()),
    SLOT(Config_TCP_ON_OFF_triggered()),          SLOT(Config_GPS_ON_OFF_triggered()),
    SLOT(Config_GSM_ON_OFF_triggered()),          SLOT(Config_UNICODE_ON_OFF_triggered()),
    SLOT(Config_Envir_ON_OFF_triggered()),        SLOT(Config_Crypty_ON_OFF_triggered()),
    SLOT(Config_Oscilloscope_ON_OFF_triggered()), SLOT(Config_MQTT_ON_OFF_triggered()),
    SLOT(Config_BLE_ON_OFF_triggered()),          SLOT(Config_Spectra_ON_OFF_triggered()),
    SLOT(Config_Convert_ON_OFF_triggered()),      SLOT(Config_I2CDUMP_ON_OFF_triggered()),
    SLOT(Config_TOF_ON_OFF_triggered()),          SLOT(Config_MODBUS_ON_OFF_triggered()),
    SLOT(Config_HEXTOOLS_ON_OFF_triggered()),     SLOT(Config_CIE_ON_OFF_triggered()),
    SLOT(Config_IMU_ON_OFF_triggered())};

} // namespace

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

void MainWindow::slotActionConfig()
{
    if (config.bringToFront()) // one dialog at a time
        return;
    QDialog* dialog = config.create(this);
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);

    connect(configUi->ConfigCancel_Button, SIGNAL(pressed()), dialog, SLOT(close()));
    connect(configUi->ConfigOK_Button, SIGNAL(pressed()), this, SLOT(slotActConfigOK()));
    for (int i = 0; i < toolCount; ++i)
        connect(configUi->toolButtons[i], SIGNAL(pressed()), this, configToggleSlots[i]);
    dialog->show();

    dialog->setStyleSheet(QString::fromLatin1(Styles::background));
    for (QPushButton* button : configUi->toolButtons)
        button->setStyleSheet(QStringLiteral("border:none"));
    settings = new QSettings(ToolSwitches::settingsFilePath(), QSettings::IniFormat, this);
    configShowState(ConfigSettings::load(*settings));
    if (settings->status() != QSettings::AccessError)
        return;
    // The store also reports changes an earlier save could not write: those show here.
    const QString readError = SettingsFile::readError(settings->fileName());
    if (!readError.isEmpty())
        QMessageBox::warning(
            dialog, tr("Config"),
            tr("The settings file could not be read:\n%1\n%2\nThe dialog shows the default settings.")
                .arg(settings->fileName(), readError));
    else
        QMessageBox::warning(dialog, tr("Config"),
                             tr("The settings file could not be written:\n%1\n%2\nThe dialog shows the "
                                "settings not saved yet.")
                                 .arg(settings->fileName(), SettingsFile::writeError(settings->fileName())));
}

void MainWindow::configShowState(const ConfigState& state)
{
    for (int i = 0; i < toolCount; ++i) {
        toolSwitches[i] = state.switches[i];
        configUi->toolButtons[i]->setIcon(
            QIcon(QString::fromLatin1(state.switches[i] ? ShellImages::toolOn : ShellImages::toolOff)));
    }
    configUi->serial_checkBox->setChecked(state.autoSerialScan);
    configUi->comboBox->setCurrentIndex(state.mapType);
    GPS_mapType = state.mapType;
}

void MainWindow::configToggle(int tool)
{
    if (!configUi)
        return;
    toolSwitches[tool] = toolSwitches[tool] ? 0 : 1;
    configUi->toolButtons[tool]->setIcon(
        QIcon(QString::fromLatin1(toolSwitches[tool] ? ShellImages::toolOn : ShellImages::toolOff)));
}

void MainWindow::slotActConfigOK()
{
    if (!configUi)
        return;
    ConfigState state;
    for (int i = 0; i < toolCount; ++i)
        state.switches[i] = toolSwitches[i];
    state.autoSerialScan = configUi->serial_checkBox->isChecked();
    state.mapType = configUi->comboBox->currentIndex();
    const QString saveError = ConfigSettings::save(*settings, state);
    if (!saveError.isEmpty()) {
        QMessageBox::warning(
            configDialog, tr("Config"),
            tr("The settings could not be saved to\n%1\n%2\nThe program keeps running unchanged.")
                .arg(settings->fileName(), saveError));
        return;
    }

    // Close first, so every tool can ask about unsaved work; the program ends only
    // once the new copy runs.
    const bool quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const bool closed = close();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    if (!closed)
        return;
    if (!SelfRestart::start()) {
        show();
        QMessageBox::warning(
            this, tr("Config"),
            tr("The settings were saved, but a new copy of the program could not be started.\n"
               "They take effect at the next start."));
        return;
    }
    if (configDialog)
        configDialog->close();
    QCoreApplication::quit();
}

void MainWindow::Config_COM_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Com);
}
void MainWindow::Config_UDP_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Udp);
}
void MainWindow::Config_TCP_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Tcp);
}
void MainWindow::Config_GPS_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Gps);
}
void MainWindow::Config_GSM_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Gsm);
}
void MainWindow::Config_UNICODE_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Unicode);
}
void MainWindow::Config_Envir_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Environment);
}
void MainWindow::Config_Crypty_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Crypty);
}
void MainWindow::Config_Oscilloscope_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Oscilloscope);
}
void MainWindow::Config_MQTT_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Mqtt);
}
void MainWindow::Config_BLE_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Ble);
}
void MainWindow::Config_Spectra_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Spectra);
}
void MainWindow::Config_Convert_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Convert);
}
void MainWindow::Config_I2CDUMP_ON_OFF_triggered()
{
    configToggle(ToolSwitches::I2cdump);
}
void MainWindow::Config_TOF_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Tof);
}
void MainWindow::Config_MODBUS_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Modbus);
}
void MainWindow::Config_HEXTOOLS_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Hex);
}
void MainWindow::Config_CIE_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Cie);
}
void MainWindow::Config_IMU_ON_OFF_triggered()
{
    configToggle(ToolSwitches::Imu);
}
