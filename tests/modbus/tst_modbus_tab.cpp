// The Modbus tab in a whole window against real slaves: pymodbus over Modbus TCP and over
// RTU on a socat pseudo-terminal pair, as it is or behind a front that spoils its replies,
// with mbpoll as a second master reading back what the tab wrote.
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

#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"

namespace {

// clang-format off
enum FunctionIndex { ReadCoils, ReadInputs, ReadHolding, ReadInputRegs, WriteCoil, WriteRegister, WriteRegisters = 7 };
// clang-format on

const QString peerScript = QStringLiteral(MODBUS_PEER_SCRIPT);

struct Entry
{
    QTime time;
    QString frame;  // "0x01,0x03,..." without the line feeds
    QString reason; // why the reply was refused; empty when it was not
};

QList<Entry> entries(const QPlainTextEdit* log)
{
    static const QRegularExpression pattern(
        "\\[(\\d\\d:\\d\\d:\\d\\d\\.\\d{3})\\]([^\\[(]*)(?:\\(refused: ([^)]*)\\))?");
    QList<Entry> list;
    for (auto it = pattern.globalMatch(log->toPlainText()); it.hasNext();) {
        const auto m = it.next();
        list.append({QTime::fromString(m.captured(1), "hh:mm:ss.zzz"), m.captured(2).remove('\n').remove(' '),
                     m.captured(3)});
    }
    return list;
}

QString lastFrame(const QPlainTextEdit* log)
{
    return entries(log).value(entries(log).size() - 1).frame;
}

// Near the left edge: a radio button only takes clicks on its indicator and text.
void pressLeft(QAbstractButton* button)
{
    const QPoint at(4, button->height() / 2);
    QTest::mousePress(button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(button, Qt::LeftButton, {}, at);
}

void transact(MainWindow& w, int function, int address, int quantity, const QString& value = QString())
{
    w.ui->Modbus_function_comboBox->setCurrentIndex(function);
    w.ui->Modbus_address_spinBox->setValue(address);
    w.ui->Modbus_quantity_spinBox->setValue(quantity);
    w.ui->Modbus_lineEdit->setText(value);
    QTest::mouseClick(w.ui->Modbus_pushButton, Qt::LeftButton);
}

bool tcpControlsIdle(const MainWindow& w)
{
    return w.Modbus_tcpOpen == 0 && w.ui->ModbusTCPopencompushButton->text() == QLatin1String("Connect") &&
           w.ui->ModbusportMode_1->isEnabled() && w.ui->ModbusTCPclientIPlineEdit->isEnabled();
}

// A window whose Modbus tab is linked to a pymodbus slave, over TCP or over RTU on a socat pty
// pair, the slave as it is or behind a front that spoils its replies in the way `how` names.
struct LinkedSlave
{
    QTemporaryDir dir;
    PeerProcess socat, peer;
    ConsoleRig rig{QStringLiteral("Modbus")};
    MainWindow& w = *rig.w;
    const quint16 port = freeTcpPort();

    bool start(const QString& transport, const QString& how = {})
    {
        const bool tcp = transport == "tcp";
        const QString tty = dir.filePath("tty"), where = tcp ? QString::number(port) : tty + "B";
        const QStringList args = how.isEmpty() ? QStringList{peerScript, transport, where}
                                               : QStringList{peerScript, "spoil", transport, where, how};
        if (!tcp &&
            !socat.startWaitingForText(
                "socat", {"-d", "-d", "pty,raw,echo=0,link=" + tty + "A", "pty,raw,echo=0,link=" + tty + "B"},
                "starting data transfer loop"))
            return false;
        if (!(tcp && how.isEmpty() ? peer.startWaitingForPort(systemPython(), args, port)
                                   : peer.startWaitingForText(systemPython(), args, "READY")))
            return false;
        if (tcp) {
            pressLeft(w.ui->ModbusportMode_2);
            w.ui->ModbusTCPclientPortlineEdit->setText(QString::number(port));
            pressLeft(w.ui->ModbusTCPopencompushButton);
            return QTest::qWaitFor(
                [&] { return w.ui->statusBar->currentMessage() == "Connected to TCP server"; });
        }
        w.ui->ModbusportNameComboBox->addItem(tty + "A");
        w.ui->ModbusportNameComboBox->setCurrentText(tty + "A");
        pressLeft(w.ui->ModbusopencompushButton);
        return w.Serial_isOpen && w.Modbus_client;
    }
};

} // namespace

class TestModbusTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(peerScript)); }

    // Replies that are late or wrong are logged raw with the reason they were refused; a slave
    // that does not answer gets three attempts, one window apart.
    void spoiltReplies_data()
    {
        QTest::addColumn<QString>("spoil"); // transport and how the front spoils the replies
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QString>("reason");
        // Runs first: the first TCP request of the process carries transaction id 0.
        QTest::newRow("tcp-no-answer") << "tcp mute" << 3 << "";
        // The answer to one attempt comes in the next attempt's window: another transaction.
        QTest::newRow("tcp-late") << "tcp late" << 3 << "transaction id ";
        QTest::newRow("tcp-other-transaction") << "tcp tid" << 3 << "transaction id ";
        QTest::newRow("tcp-other-unit") << "tcp unit" << 1 << "answer from unit 2, the request went to 1";
        QTest::newRow("rtu-other-unit") << "rtu unit" << 1 << "answer from unit 2, the request went to 1";
        QTest::newRow("rtu-bad-crc") << "rtu crc" << 1 << "Invalid CRC in response";
    }
    void spoiltReplies()
    {
        QFETCH(QString, spoil);
        QFETCH(int, attempts);
        QFETCH(QString, reason);
        const QString how = spoil.section(' ', 1);
        LinkedSlave slave;
        QVERIFY(slave.start(spoil.section(' ', 0, 0), how));
        MainWindow& w = slave.w;
        PeerProcess& peer = slave.peer;
        transact(w, ReadHolding, 0, 1);
        QList<Entry> sent = entries(w.ui->Modbus_sendMsgtextEdit);
        QCOMPARE(sent.size(), attempts);
        QTRY_COMPARE(peer.output().count("RX "), attempts); // the slave saw the same
        // Nothing was taken for the answer: every reply logged says why it was refused.
        const QList<Entry> replies = entries(w.ui->Modbus_HexTextBrowser);
        QCOMPARE(replies.isEmpty(), reason.isEmpty());
        for (const Entry& reply : replies)
            QVERIFY2(reply.reason.startsWith(reason), qPrintable(reply.frame + " " + reply.reason));
        if (how != QLatin1String("mute"))
            return;
        for (int i = 0; i < 3; ++i) {
            const QString wire = "000" + QString::number(i) + "00000006010300000001";
            QCOMPARE(sent[i].frame.remove("0x").remove(','), wire);
            QVERIFY(peer.output().contains("RX " + wire.toLatin1()));
            const int gap = i ? sent[i - 1].time.msecsTo(sent[i].time) : 1000;
            QVERIFY2(gap >= 990 && gap < 2000, qPrintable(QString::number(gap)));
        }
        peer.stop(); // the slave goes away: the link returns to idle by itself
        QTRY_COMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("No server found"));
        QVERIFY(tcpControlsIdle(w));
    }

    void tcpAgainstPymodbus()
    {
        LinkedSlave slave;
        QVERIFY(slave.start("tcp"));
        MainWindow& w = slave.w;
        QVERIFY(!w.ui->ModbusportMode_1->isEnabled() && !w.ui->ModbusTCPclientIPlineEdit->isEnabled());
        w.Modbus_displayError(QAbstractSocket::SocketTimeoutError); // changes nothing
        QCOMPARE(w.Modbus_tcpOpen, 1);

        transact(w, WriteRegisters, 2, 2, "0x12,0x34 0xAB 0xCD");
        QVERIFY(lastFrame(w.ui->Modbus_sendMsgtextEdit)
                    .endsWith("0x00,0x0b,0x01,0x10,0x00,0x02,0x00,0x02,0x04,0x12,0x34,0xab,0xcd"));
        QVERIFY(lastFrame(w.ui->Modbus_HexTextBrowser).endsWith("0x00,0x06,0x01,0x10,0x00,0x02,0x00,0x02"));
        QProcess mbpoll; // an independent master reads back what the tab wrote
        mbpoll.start("mbpoll", {"-m", "tcp", "-p", QString::number(slave.port), "-a", "1", "-r", "3", "-c",
                                "2", "-t", "4:hex", "-1", "127.0.0.1"});
        QVERIFY(mbpoll.waitForFinished(10000));
        const QString readBack = QString::fromLocal8Bit(mbpoll.readAllStandardOutput());
        QVERIFY2(readBack.contains("[3]: \t0x1234") && readBack.contains("[4]: \t0xABCD"),
                 qPrintable(readBack));

        // The user's selection in a log is not where new entries go, nor is it replaced.
        w.ui->Modbus_sendMsgtextEdit->selectAll();
        transact(w, ReadInputRegs, 5, 2);
        QVERIFY(lastFrame(w.ui->Modbus_HexTextBrowser).endsWith("0x01,0x04,0x04,0x10,0x05,0x10,0x06"));
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 2);
        // Beyond the slave's table: its exception reply is logged raw, refused.
        transact(w, ReadHolding, 198, 5);
        const Entry exception = entries(w.ui->Modbus_HexTextBrowser).last();
        QVERIFY(exception.frame.endsWith("0x01,0x83,0x02"));
        QCOMPARE(exception.reason, QStringLiteral("Modbus exception response: 2"));

        pressLeft(w.ui->ModbusTCPopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(tcpControlsIdle(w));
        transact(w, ReadCoils, 0, 8); // without a link: nothing
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 3);
    }

    void rtuAgainstPymodbus()
    {
        LinkedSlave slave;
        QVERIFY(slave.start("rtu"));
        MainWindow& w = slave.w;
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
        QTRY_VERIFY(engine.isNull() && !w.Modbus_client);
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
        transact(w, WriteCoil, 0, 1, ""); // an empty value with a write function: nothing at all
        // Refused with a message box; invalid text left in the read-only field stops a read too.
        // clang-format off
        const struct { int function, quantity; QString value, message; } refused[] = {
            {ReadHolding, 1, "01 02", "请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12"},
            {WriteRegister, 1, "0x1FF", "Each value is one byte, 0x00 to 0xFF: 0x1FF"},
            {WriteRegisters, 124, QString("0x01 ").repeated(248), "At most 246 value bytes fit in one request."}};
        // clang-format on
        for (const auto& r : refused) {
            ModalAnswer answer;
            transact(w, r.function, 0, r.quantity, r.value);
            QCOMPARE(answer.title(), QStringLiteral("输入错误"));
            QCOMPARE(answer.text(), r.message);
        }
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        QVERIFY(rig.pty.read(1, 200).isEmpty());

        std::thread device([&rig] { rig.pty.write(rig.pty.read(8, 2000)); }); // echoes the coil write
        transact(w, WriteCoil, 0, 1, "0x01");
        device.join();
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
        pressLeft(w.ui->TOFopencompushButton);
        QVERIFY(w.Serial_isOpen && !w.ui->ModbusopencompushButton->isEnabled());
        transact(w, ReadHolding, 0, 1);
        QVERIFY(w.ui->Modbus_sendMsgtextEdit->toPlainText().isEmpty());
        QVERIFY(rig.pty.read(1, 200).isEmpty());
    }

    void tcpLinkStates()
    {
        ConsoleRig rig(QStringLiteral("Modbus"));
        MainWindow& w = *rig.w;
        pressLeft(w.ui->ModbusportMode_2);
        // An empty address, and ports that must not quietly wrap (65536 + 502) or be read in part.
        const QString portRange = QStringLiteral("Port must be a whole number from 1 to 65535!");
        for (const auto& [ip, port, message] :
             {std::tuple{"", "502", QStringLiteral("IP or Port is empty!")},
              std::tuple{"127.0.0.1", "66038", portRange}, std::tuple{"127.0.0.1", "12ab", portRange}}) {
            ModalAnswer answer;
            w.ui->ModbusTCPclientIPlineEdit->setText(ip);
            w.ui->ModbusTCPclientPortlineEdit->setText(port);
            pressLeft(w.ui->ModbusTCPopencompushButton);
            QCOMPARE(answer.text(), message);
            QVERIFY(tcpControlsIdle(w));
        }
        // Nothing listens on a port that was free a moment ago: refused.
        w.ui->ModbusTCPclientPortlineEdit->setText(QString::number(freeTcpPort()));
        w.ui->statusBar->showMessage("before");
        pressLeft(w.ui->ModbusTCPopencompushButton);
        QCOMPARE(w.Modbus_tcpOpen, 1);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("before"));
        QTRY_COMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("No server found"));
        QVERIFY(tcpControlsIdle(w));
    }
};

QTEST_MAIN(TestModbusTab)
#include "tst_modbus_tab.moc"
