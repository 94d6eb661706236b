// The Modbus tab in a whole window against real slaves: pymodbus over Modbus TCP
// and over RTU on a socat pseudo-terminal pair, with mbpoll as a second master
// reading back what the tab wrote.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>

#include <thread>

#include "app/styles.h"
#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"

namespace {

enum FunctionIndex {
    ReadCoils,
    ReadInputs,
    ReadHolding,
    ReadInputRegs,
    WriteCoil,
    WriteRegister,
    WriteRegisters = 7
};

const QString peerScript = QStringLiteral(MODBUS_PEER_SCRIPT);

struct Entry
{
    QTime time;
    QString frame; // "0x01,0x03,..." without the line feeds
};

QList<Entry> entries(const QPlainTextEdit* log)
{
    static const QRegularExpression pattern(QStringLiteral("\\[(\\d\\d:\\d\\d:\\d\\d\\.\\d{3})\\]([^\\[]*)"));
    QList<Entry> list;
    auto it = pattern.globalMatch(log->toPlainText());
    while (it.hasNext()) {
        const auto m = it.next();
        list.append({QTime::fromString(m.captured(1), QStringLiteral("hh:mm:ss.zzz")),
                     m.captured(2).remove(QRegularExpression(QStringLiteral("\\s")))});
    }
    return list;
}

QString lastFrame(const QPlainTextEdit* log)
{
    const QList<Entry> list = entries(log);
    return list.isEmpty() ? QString() : list.last().frame;
}

// Near the left edge: a radio button only takes clicks on its indicator and text.
void pressLeft(QAbstractButton* button)
{
    const QPoint at(4, button->height() / 2);
    QTest::mousePress(button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(button, Qt::LeftButton, {}, at);
}

// Runs one transaction from the tab's fields.
void transact(MainWindow& w, int function, int address, int quantity, const QString& value = QString())
{
    w.ui->Modbus_function_comboBox->setCurrentIndex(function);
    w.ui->Modbus_address_spinBox->setValue(address);
    w.ui->Modbus_quantity_spinBox->setValue(quantity);
    w.ui->Modbus_lineEdit->setText(value);
    QTest::mouseClick(w.ui->Modbus_pushButton, Qt::LeftButton);
}

bool connectTcp(MainWindow& w, quint16 port)
{
    pressLeft(w.ui->ModbusportMode_2);
    w.ui->ModbusTCPclientPortlineEdit->setText(QString::number(port));
    pressLeft(w.ui->ModbusTCPopencompushButton);
    return QTest::qWaitFor(
        [&] { return w.ui->statusBar->currentMessage() == QLatin1String("Connected to TCP server"); }, 5000);
}

bool tcpControlsIdle(const MainWindow& w)
{
    return w.Modbus_tcpOpen == 0 && w.ui->ModbusTCPopencompushButton->text() == QLatin1String("Connect") &&
           w.ui->ModbusTCPopencompushButton->styleSheet() == QLatin1String(Styles::idleButton) &&
           w.ui->ModbusportMode_1->isEnabled() && w.ui->ModbusportMode_2->isEnabled() &&
           w.ui->ModbusTCPclientIPlineEdit->isEnabled() && w.ui->ModbusTCPclientPortlineEdit->isEnabled();
}

// mbpoll as an independent master: holding registers from a 0-based address.
QString mbpollHolding(quint16 port, int address, int count)
{
    QProcess mbpoll;
    mbpoll.start(QStringLiteral("mbpoll"),
                 {"-m", "tcp", "-p", QString::number(port), "-a", "1", "-r", QString::number(address + 1),
                  "-c", QString::number(count), "-t", "4:hex", "-1", "127.0.0.1"});
    if (!mbpoll.waitForFinished(10000))
        mbpoll.kill();
    return QString::fromLocal8Bit(mbpoll.readAllStandardOutput());
}

} // namespace

class TestModbusTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(peerScript)); }

    // Runs first: the first TCP request of the process carries transaction id 0.
    void silentTcpServerGetsThreeAttempts()
    {
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        const quint16 port = freeTcpPort();
        PeerProcess peer;
        QVERIFY(
            peer.startWaitingForText(systemPython(), {peerScript, "silent", QString::number(port)}, "READY"));
        QVERIFY(connectTcp(w, port));
        transact(w, ReadHolding, 0, 1);
        const QList<Entry> sent = entries(w.ui->Modbus_sendMsgtextEdit);
        QCOMPARE(sent.size(), 3);
        QVERIFY(w.ui->Modbus_HexTextBrowser->toPlainText().isEmpty());
        QTRY_COMPARE(peer.output().count("RX "), 3); // the server saw the same three
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(sent[i].frame,
                     QString("0x00,0x0%1,0x00,0x00,0x00,0x06,0x01,0x03,0x00,0x00,0x00,0x01").arg(i));
            QVERIFY(peer.output().contains("RX 000" + QByteArray::number(i) + "000000060103000000" + "01"));
            if (i > 0) { // attempts one second apart
                const int gap = sent[i - 1].time.msecsTo(sent[i].time);
                QVERIFY2(gap >= 990 && gap < 2000, qPrintable(QString::number(gap)));
            }
        }
        // The server goes away: the link returns to idle by itself.
        peer.stop();
        QTRY_COMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("No server found"));
        QVERIFY(tcpControlsIdle(w));
    }

    void tcpAgainstPymodbus()
    {
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        const quint16 port = freeTcpPort();
        PeerProcess peer;
        QVERIFY(peer.startWaitingForPort(systemPython(), {peerScript, "tcp", QString::number(port)}, port));
        QVERIFY(connectTcp(w, port));
        QCOMPARE(w.ui->ModbusTCPopencompushButton->text(), QStringLiteral("Disconnect"));
        QVERIFY(!w.ui->ModbusportMode_1->isEnabled() && !w.ui->ModbusTCPclientIPlineEdit->isEnabled());
        // A time-out reported by the socket changes nothing.
        w.Modbus_displayError(QAbstractSocket::SocketTimeoutError);
        QCOMPARE(w.Modbus_tcpOpen, 1);

        transact(w, WriteRegisters, 2, 2, "0x12,0x34 0xAB 0xCD");
        QVERIFY(lastFrame(w.ui->Modbus_sendMsgtextEdit)
                    .endsWith("0x00,0x0b,0x01,0x10,0x00,0x02,0x00,0x02,0x04,0x12,0x34,0xab,0xcd"));
        QVERIFY(lastFrame(w.ui->Modbus_HexTextBrowser).endsWith("0x00,0x06,0x01,0x10,0x00,0x02,0x00,0x02"));
        const QString readBack = mbpollHolding(port, 2, 2);
        QVERIFY2(readBack.contains("[3]: \t0x1234") && readBack.contains("[4]: \t0xABCD"),
                 qPrintable(readBack));

        // The user's selection in a log is not where new entries go, nor is it replaced.
        w.ui->Modbus_sendMsgtextEdit->selectAll();
        transact(w, ReadInputRegs, 5, 2);
        QVERIFY(lastFrame(w.ui->Modbus_HexTextBrowser).endsWith("0x01,0x04,0x04,0x10,0x05,0x10,0x06"));
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 2);
        // Beyond the slave's table: its exception reply is logged like any other.
        transact(w, ReadHolding, 0x63, 5);
        QVERIFY(lastFrame(w.ui->Modbus_HexTextBrowser).endsWith("0x01,0x83,0x02"));
        QCOMPARE(entries(w.ui->Modbus_HexTextBrowser).size(), 3);

        pressLeft(w.ui->ModbusTCPopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(tcpControlsIdle(w));
        transact(w, ReadCoils, 0, 8); // without a link: nothing
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 3);

        pressLeft(w.ui->Modbus_send_cleandatapushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Send has been cleared"));
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        QVERIFY(!w.ui->Modbus_HexTextBrowser->toPlainText().isEmpty());
        pressLeft(w.ui->Modbus_revice_cleandatapushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Receive has been cleared"));
        QVERIFY(w.ui->Modbus_HexTextBrowser->toPlainText().isEmpty());
    }

    void rtuAgainstPymodbus()
    {
        QTemporaryDir dir;
        PeerProcess socat;
        QVERIFY(socat.startWaitingForText(QStringLiteral("socat"),
                                          {"-d", "-d", "pty,raw,echo=0,link=" + dir.filePath("ttyA"),
                                           "pty,raw,echo=0,link=" + dir.filePath("ttyB")},
                                          "starting data transfer loop"));
        PeerProcess peer;
        QVERIFY(peer.startWaitingForText(systemPython(), {peerScript, "rtu", dir.filePath("ttyB")}, "READY"));
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        w.ui->ModbusportNameComboBox->addItem(dir.filePath("ttyA"));
        w.ui->ModbusportNameComboBox->setCurrentText(dir.filePath("ttyA"));
        pressLeft(w.ui->ModbusopencompushButton);
        QVERIFY(w.Serial_isOpen && w.Modbus_client);
        QVERIFY(!w.ui->ModbusportMode_1->isEnabled() && !w.ui->ModbusportMode_2->isEnabled());

        const auto exchanged = [&] {
            return lastFrame(w.ui->Modbus_sendMsgtextEdit) + " -> " + lastFrame(w.ui->Modbus_HexTextBrowser);
        };
        transact(w, WriteRegister, 7, 1, "0x02 0x9A");
        QCOMPARE(exchanged(),
                 "0x01,0x06,0x00,0x07,0x02,0x9a,0xb9,0x00 -> 0x01,0x06,0x00,0x07,0x02,0x9a,0xb9,0x00");
        transact(w, ReadHolding, 7, 1);
        QCOMPARE(exchanged(),
                 "0x01,0x03,0x00,0x07,0x00,0x01,0x35,0xcb -> 0x01,0x03,0x02,0x02,0x9a,0x39,0x4f");
        transact(w, ReadInputs, 0, 8);
        QCOMPARE(lastFrame(w.ui->Modbus_HexTextBrowser), QStringLiteral("0x01,0x02,0x01,0xaa,0x21,0xf7"));

        QPointer<Quenlix_ModbusClient> engine = w.Modbus_client;
        pressLeft(w.ui->ModbusopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Serial closed"));
        QVERIFY(!w.Modbus_client);
        QTRY_VERIFY(engine.isNull());
        QVERIFY(w.ui->ModbusportMode_1->isEnabled());
        transact(w, ReadHolding, 7, 1); // closed: nothing is sent
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 3);
    }

    void valueFieldGuards()
    {
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        pressLeft(w.ui->ModbusopencompushButton);
        QVERIFY(w.Serial_isOpen);
        // An empty value with a write function selected: nothing at all.
        transact(w, WriteCoil, 0, 1, "");
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        // Refused with a message box; invalid text left in the read-only field stops a read too.
        const QString hexHint = QStringLiteral("请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12");
        const struct
        {
            int function, quantity;
            QString value, message;
        } refused[] = {{WriteRegisters, 1, "01 02", hexHint},
                       {ReadHolding, 1, "01 02", hexHint},
                       {WriteRegister, 1, "0x1FF", "Each value is one byte, 0x00 to 0xFF: 0x1FF"},
                       {WriteRegisters, 124, QStringLiteral("0x01 ").repeated(248),
                        "At most 246 value bytes fit in one request."}};
        for (const auto& r : refused) {
            ModalAnswer answer;
            transact(w, r.function, 0, r.quantity, r.value);
            QCOMPARE(answer.title(), QStringLiteral("输入错误"));
            QCOMPARE(answer.text(), r.message);
            QCOMPARE(answer.buttons().size(), 1);
        }
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        QVERIFY(rig.pty.read(1, 200).isEmpty());

        // A valid coil write goes out once; the device echoes it.
        std::thread device([&rig] { rig.pty.write(rig.pty.read(8, 2000)); });
        transact(w, WriteCoil, 0, 1, "0x01");
        device.join();
        QCOMPARE(lastFrame(w.ui->Modbus_sendMsgtextEdit),
                 QStringLiteral("0x01,0x05,0x00,0x00,0xff,0x00,0x8c,0x3a"));
        QCOMPARE(lastFrame(w.ui->Modbus_HexTextBrowser),
                 QStringLiteral("0x01,0x05,0x00,0x00,0xff,0x00,0x8c,0x3a"));

        // The device vanishes while the tab holds the port: the tab lets go, engine included.
        rig.pty.hangUp();
        QTRY_VERIFY(!w.Serial_isOpen);
        QVERIFY(!w.Modbus_client);
        QCOMPARE(w.ui->ModbusopencompushButton->text(), QStringLiteral("Open"));
    }

    void noFramesIntoAnotherConsolesPort()
    {
        ConsoleRig rig(QList<QPair<QString, QString>>{{"Modbus", "true"}});
        MainWindow& w = *rig.w;
        QVERIFY(w.startedTools.contains("Modbus"));
        pressLeft(w.ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(!w.ui->ModbusopencompushButton->isEnabled());
        transact(w, ReadHolding, 0, 1);
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        QVERIFY(rig.pty.read(1, 200).isEmpty());
    }

    void tcpLinkStates()
    {
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        QVERIFY(w.ui->ModbusTCPopencompushButton->isHidden() && !w.ui->ModbusopencompushButton->isHidden());
        pressLeft(w.ui->ModbusportMode_2);
        QVERIFY(!w.ui->ModbusportMode_1->isChecked() && w.ui->ModbusportMode_2->isChecked());
        QVERIFY(w.ui->ModbusopencompushButton->isHidden() && w.ui->ModbusdataBitsComboBox->isHidden());
        QVERIFY(!w.ui->ModbusTCPopencompushButton->isHidden() &&
                !w.ui->ModbusTCPclientIPlineEdit->isHidden());
        // An empty address, and ports that must not quietly wrap (65536 + 502) or be read in part.
        const QString portRange = QStringLiteral("Port must be a whole number from 1 to 65535!");
        for (const auto& [ip, port, message] :
             {std::tuple{"", "502", QStringLiteral("IP or Port is empty!")},
              std::tuple{"127.0.0.1", "66038", portRange}, std::tuple{"127.0.0.1", "0", portRange},
              std::tuple{"127.0.0.1", "12ab", portRange}}) {
            ModalAnswer answer;
            w.ui->ModbusTCPclientIPlineEdit->setText(ip);
            w.ui->ModbusTCPclientPortlineEdit->setText(port);
            pressLeft(w.ui->ModbusTCPopencompushButton);
            QCOMPARE(answer.title(), QStringLiteral("warning:"));
            QCOMPARE(answer.text(), message);
            QVERIFY(tcpControlsIdle(w));
        }
        // Nothing listens on a port that was free a moment ago: refused.
        w.ui->ModbusTCPclientPortlineEdit->setText(QString::number(freeTcpPort()));
        w.ui->statusBar->showMessage("before");
        pressLeft(w.ui->ModbusTCPopencompushButton);
        QCOMPARE(w.Modbus_tcpOpen, 1);
        QCOMPARE(w.ui->ModbusTCPopencompushButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("before"));
        QTRY_COMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("No server found"));
        QVERIFY(tcpControlsIdle(w));
    }
};

QTEST_MAIN(TestModbusTab)
#include "tst_modbus_tab.moc"
