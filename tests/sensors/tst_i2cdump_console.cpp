// The "i2cdump" tab against a pseudo-terminal playing the I2C adapter: frames written by the
// tab are read back on the adapter's side, replies written there reach the grid and the log.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "tests/common/consolerig.h"
#include "sensors/i2cdump_dialogs_form.h"
#include "sensors/i2cframe.h"
#include "sensors/quenlix_i2c_tools.h"
#include "tests/common/modalanswer.h"

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QString logText(Ui_MainWindow* ui)
{
    return ui->i2cdump_StrTextBrowser->toPlainText().remove(QLatin1Char('\r'));
}

} // namespace

class TestI2cdumpConsole : public QObject
{
    Q_OBJECT
private slots:
    void startStopScanAndAddress()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        QPushButton* startStop = ui->i2cdump_stop_pushButton;
        QCOMPARE(startStop->text(), QStringLiteral("Start"));
        for (QPushButton* b :
             {startStop, ui->i2cdumpsancfpushButton, ui->i2cdumpreadpushButton, ui->i2cdumpwritepushButton})
            QVERIFY(!b->isEnabled());
        w.I2CdumpactionScanf_triggered(); // no port: dropped
        QVERIFY(rig.drain().isEmpty());

        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(ui->i2cdumpsancfpushButton->isEnabled() && startStop->isEnabled());

        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), hex("51 55 02 00 01 FF FF").toHex(' '));
        QCOMPARE(startStop->text(), QStringLiteral("Stop"));
        QVERIFY(!ui->i2cdumpsancfpushButton->isEnabled() && !ui->i2cdumpreadpushButton->isEnabled() &&
                !ui->i2cdumpwritepushButton->isEnabled());
        // While started, register blocks fill the grid.
        rig.write(I2cFrame::encode(I2cFrame::Start, hex("11 22 33")));
        QTRY_COMPARE(w.I2Cdump_tools->valueLabels.at(2)->text(), QStringLiteral("33"));

        // Closing while started leaves "Stop"; reopening enables all four, and the first press
        // then stops the adapter.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(!startStop->isEnabled());
        QCOMPARE(startStop->text(), QStringLiteral("Stop"));
        QVERIFY(rig.drain().isEmpty()); // closing sends nothing
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        QVERIFY(ui->i2cdumpsancfpushButton->isEnabled() && startStop->isEnabled());
        ConsoleRig::press(startStop);
        QCOMPARE(rig.read(7).toHex(' '), hex("51 55 00 00 01 FF FF").toHex(' '));
        QCOMPARE(startStop->text(), QStringLiteral("Start"));

        w.I2Cdump_tools->findChild<QComboBox*>("comboBox")->setCurrentText("0x68");
        QCOMPARE(rig.read(7).toHex(' '), hex("51 55 03 00 01 68 68").toHex(' '));

        ConsoleRig::press(ui->i2cdumpsancfpushButton);
        QCOMPARE(rig.read(7).toHex(' '), hex("51 55 01 00 01 FF FF").toHex(' '));
        // The reply arrives with noise before it and split in two.
        const QByteArray reply = I2cFrame::encode(I2cFrame::Scan, hex("3C 68"));
        rig.write(hex("00 51") + reply.left(4));
        QCoreApplication::processEvents();
        rig.write(reply.mid(4));
        QTRY_COMPARE(logText(ui), QStringLiteral("Searching for I2C devices on the bus:\n0x3c, 0x68, \n"));
        ConsoleRig::press(ui->i2cdump_Clear_pushButton);
        QCOMPARE(logText(ui), QString());
    }

    void readAndWriteDialogs()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        Ui_MainWindow* ui = rig.ui;
        ConsoleRig::press(ui->i2cdumpopencompushButton);

        ConsoleRig::press(ui->i2cdumpreadpushButton);
        ConsoleRig::press(ui->i2cdumpreadpushButton);
        QCOMPARE(w.findChildren<QDialog*>("I2CDump_ReadREG").size(), 1);
        QCOMPARE(w.I2Cdump_readUi->length_comboBox->itemText(255), QStringLiteral("0xFF"));
        w.I2Cdump_readUi->reg_comboBox->setCurrentIndex(0xF8);
        w.I2Cdump_readUi->length_comboBox->setCurrentIndex(16);
        ConsoleRig::press(w.I2Cdump_readUi->read_pushButton);
        QCOMPARE(rig.read(8).toHex(' '), hex("51 55 05 00 02 F8 10 08").toHex(' '));
        // The reply comes after the dialog was closed: printed with the register asked for.
        ConsoleRig::press(w.I2Cdump_readUi->I2CDump_ReadREGCancel);
        QTRY_VERIFY(!w.I2Cdump_readOpen);
        QVERIFY(w.I2Cdump_readUi == nullptr);
        rig.write(I2cFrame::encode(I2cFrame::Read, hex("01 AB")));
        QTRY_COMPARE(logText(ui), QStringLiteral("Reg addr 0xf8: 0x01, 0xab, \n"));

        ConsoleRig::press(ui->i2cdumpwritepushButton);
        QVERIFY(w.I2Cdump_writeOpen);
        w.I2Cdump_writeUi->reg_comboBox->setCurrentIndex(5);
        w.I2Cdump_writeUi->lineEdit->setText("0x12,0xab");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QCOMPARE(rig.read(9).toHex(' '), hex("51 55 04 00 03 05 12 AB C2").toHex(' '));

        w.I2Cdump_writeUi->lineEdit->setText("0x12,");
        {
            ModalAnswer answer("OK");
            ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
            QVERIFY(answer.seen());
            QCOMPARE(answer.title(), QStringLiteral("Warning"));
            QCOMPARE(answer.text(), QStringLiteral("Invalid input format. Please enter the correct format "
                                                   "(e.g., 0x01,0x34,0xab)"));
        }
        QString tooMany = QStringLiteral("0x01");
        for (int i = 1; i < 506; ++i)
            tooMany += QStringLiteral(",0x01");
        w.I2Cdump_writeUi->lineEdit->setText(tooMany);
        {
            ModalAnswer answer("OK");
            ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
            QVERIFY(answer.seen());
        }
        QVERIFY(rig.drain().isEmpty());

        // With the port held by another tab, the dialog's frames stay off that tab's device.
        ConsoleRig::press(ui->i2cdumpopencompushButton);
        ConsoleRig::press(ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        w.I2Cdump_writeUi->lineEdit->setText("0x01");
        ConsoleRig::press(w.I2Cdump_writeUi->send_pushButton);
        QVERIFY(rig.drain().isEmpty());
    }
};

QTEST_MAIN(TestI2cdumpConsole)
#include "tst_i2cdump_console.moc"
