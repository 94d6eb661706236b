// The serial terminal's preset dialog ("Advanced").
#include "app/mainwindow.h"

#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QSettings>

#include "app/mainwindow_form.h"
#include "app/settingsfile.h"
#include "app/styles.h"
#include "serial/com_expand_form.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"

namespace {

QString commandKey(int preset)
{
    return QStringLiteral("COMMAND%1").arg(preset);
}

QString nameKey(int preset)
{
    return QStringLiteral("COMMAND%1_NAME").arg(preset);
}

} // namespace

void MainWindow::slotCom_expand()
{
    if (!COM_expand.create(this, [this] { slotCom_expandclose(); }))
        return;
    connect(COM_expandUi->save_pushButton, SIGNAL(pressed()), this, SLOT(slotCOM_expandsave()));
    static const char* const renameSlots[Ui_COM_Expand::presetCount] = {
        SLOT(slotcom_set_pushButton()),    SLOT(slotcom_set_pushButton_2()),
        SLOT(slotcom_set_pushButton_3()),  SLOT(slotcom_set_pushButton_4()),
        SLOT(slotcom_set_pushButton_5()),  SLOT(slotcom_set_pushButton_6()),
        SLOT(slotcom_set_pushButton_7()),  SLOT(slotcom_set_pushButton_8()),
        SLOT(slotcom_set_pushButton_9()),  SLOT(slotcom_set_pushButton_10()),
        SLOT(slotcom_set_pushButton_11()), SLOT(slotcom_set_pushButton_12())};
    static const char* const sendSlots[Ui_COM_Expand::presetCount] = {
        SLOT(slotcom_pushButton()),    SLOT(slotcom_pushButton_2()),  SLOT(slotcom_pushButton_3()),
        SLOT(slotcom_pushButton_4()),  SLOT(slotcom_pushButton_5()),  SLOT(slotcom_pushButton_6()),
        SLOT(slotcom_pushButton_7()),  SLOT(slotcom_pushButton_8()),  SLOT(slotcom_pushButton_9()),
        SLOT(slotcom_pushButton_10()), SLOT(slotcom_pushButton_11()), SLOT(slotcom_pushButton_12())};
    for (int i = 0; i < Ui_COM_Expand::presetCount; ++i)
        connect(COM_expandUi->renameButtons[i], SIGNAL(pressed()), this, renameSlots[i]);
    for (int i = 0; i < Ui_COM_Expand::presetCount; ++i)
        connect(COM_expandUi->sendButtons[i], SIGNAL(pressed()), this, sendSlots[i]);
    COM_expandDialog->show();
    COM_expandDialog->setStyleSheet(QString::fromLatin1(Styles::background));
    for (int i = 0; i < Ui_COM_Expand::presetCount; ++i) {
        const QString name = settings->value(nameKey(i + 1)).toString();
        if (!name.isEmpty())
            COM_expandUi->sendButtons[i]->setText(name);
        const QString command = settings->value(commandKey(i + 1)).toString();
        if (!command.isEmpty())
            COM_expandUi->commands[i]->setText(command);
    }
}

void MainWindow::slotCom_expandclose()
{
    COM_expand.release();
}

void MainWindow::command_sendMsg(QByteArray command)
{
    if (!Serial_thread || !Serial_thread->serialPort)
        return;
    const QByteArray bytes = TerminalFormat::expandEscapes(command);
    COM_showWriteResult(Serial_thread->serialPort->write(bytes), bytes.size());
}

void MainWindow::slotCOM_expandsave()
{
    if (!COM_expandUi)
        return;
    for (int i = 0; i < Ui_COM_Expand::presetCount; ++i) {
        settings->setValue(nameKey(i + 1), COM_expandUi->sendButtons[i]->text());
        settings->setValue(commandKey(i + 1), COM_expandUi->commands[i]->text());
    }
    // A store of its own on the same file: the window's keeps the first error it met.
    QSettings file(settings->fileName(), QSettings::IniFormat);
    const QString error = SettingsFile::save(file);
    if (!error.isEmpty())
        QMessageBox::warning(COM_expandDialog, tr("Save Config"),
                             SettingsFile::failureText(file.fileName(), error));
}

void MainWindow::COM_renamePreset(int preset)
{
    bool ok = false;
    const QString name = QInputDialog::getText(nullptr, QStringLiteral("command"), QString(),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok && COM_expandUi)
        COM_expandUi->sendButtons[preset - 1]->setText(name);
}

void MainWindow::COM_sendPreset(int preset)
{
    if (COM_expandUi)
        command_sendMsg(COM_expandUi->commands[preset - 1]->text().toUtf8());
}

void MainWindow::slotcom_set_pushButton()
{
    COM_renamePreset(1);
}
void MainWindow::slotcom_set_pushButton_2()
{
    COM_renamePreset(2);
}
void MainWindow::slotcom_set_pushButton_3()
{
    COM_renamePreset(3);
}
void MainWindow::slotcom_set_pushButton_4()
{
    COM_renamePreset(4);
}
void MainWindow::slotcom_set_pushButton_5()
{
    COM_renamePreset(5);
}
void MainWindow::slotcom_set_pushButton_6()
{
    COM_renamePreset(6);
}
void MainWindow::slotcom_set_pushButton_7()
{
    COM_renamePreset(7);
}
void MainWindow::slotcom_set_pushButton_8()
{
    COM_renamePreset(8);
}
void MainWindow::slotcom_set_pushButton_9()
{
    COM_renamePreset(9);
}
void MainWindow::slotcom_set_pushButton_10()
{
    COM_renamePreset(10);
}
void MainWindow::slotcom_set_pushButton_11()
{
    COM_renamePreset(11);
}
void MainWindow::slotcom_set_pushButton_12()
{
    COM_renamePreset(12);
}
void MainWindow::slotcom_pushButton()
{
    COM_sendPreset(1);
}
void MainWindow::slotcom_pushButton_2()
{
    COM_sendPreset(2);
}
void MainWindow::slotcom_pushButton_3()
{
    COM_sendPreset(3);
}
void MainWindow::slotcom_pushButton_4()
{
    COM_sendPreset(4);
}
void MainWindow::slotcom_pushButton_5()
{
    COM_sendPreset(5);
}
void MainWindow::slotcom_pushButton_6()
{
    COM_sendPreset(6);
}
void MainWindow::slotcom_pushButton_7()
{
    COM_sendPreset(7);
}
void MainWindow::slotcom_pushButton_8()
{
    COM_sendPreset(8);
}
void MainWindow::slotcom_pushButton_9()
{
    COM_sendPreset(9);
}
void MainWindow::slotcom_pushButton_10()
{
    COM_sendPreset(10);
}
void MainWindow::slotcom_pushButton_11()
{
    COM_sendPreset(11);
}
void MainWindow::slotcom_pushButton_12()
{
    COM_sendPreset(12);
}
