// Modbus: the frame engine against published frames (the Modbus application protocol's examples,
// as reproduced by common references) and hand-built replies; its request/reply exchange against
// a pseudo-terminal whose device side a helper thread plays; and the tab in a whole window against
// real slaves: pymodbus over Modbus TCP and over RTU on a socat pseudo-terminal pair, as it is or
// behind a front that spoils its replies, with mbpoll as a second master reading back what the
// tab wrote.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>

#include <thread>

#include "protocols/Quenlix_ModbusClient.h"
#include "protocols/modbusconsole.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"

using FC = Quenlix_ModbusClient::FunctionCode;

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// An RTU reply: body plus its CRC, low byte first.
QByteArray rtu(const QByteArray& body)
{
    Quenlix_ModbusClient engine;
    const quint16 crc = engine.calculateCRC(body);
    return body + char(crc & 0xFF) + char(crc >> 8);
}

// A TCP reply: MBAP header (transaction 0x1234) plus body.
QByteArray tcp(const QByteArray& body)
{
    const int length = int(body.size());
    return hex("12 34 00 00") + char(length >> 8) + char(length & 0xFF) + body;
}

QVariant registers(std::initializer_list<unsigned short> values)
{
    return QVariant::fromValue(QList<unsigned short>(values));
}

// Coils from a text of '0' and '1', in the order the engine lists them.
QVariant coils(const QString& bits)
{
    QList<bool> list;
    for (const QChar bit : bits)
        list << (bit == '1');
    return QVariant::fromValue(list);
}

const QByteArray readRequest = hex("01 03 00 00 00 01 84 0A");
const QByteArray readReply = hex("01 03 02 00 2A 39 9B");

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
    return w.Modbus_tcpOpen == 0 && w.ui->ModbusTCPopencompushButton->text() == QLatin1String("Connect");
}

// A window whose Modbus tab is linked to a pymodbus slave, over TCP or over RTU on a socat pty
// pair, the slave as it is or behind a front that spoils its replies in the way `how` names.
struct LinkedSlave
{
    QTemporaryDir dir;
    PeerProcess socat, peer;
    ConsoleRig rig{QStringLiteral("Modbus")};
    MainWindow& w = *rig.w;
    quint16 port = 0; // over TCP, where the slave (or its front) took connections

    bool start(const QString& transport, const QString& how = {})
    {
        const bool tcp = transport == "tcp";
        const QString tty = dir.filePath("tty"), where = tcp ? QStringLiteral("0") : tty + "B";
        const QStringList args = how.isEmpty() ? QStringList{peerScript, transport, where}
                                               : QStringList{peerScript, "spoil", transport, where, how};
        if (!tcp &&
            !socat.startWaitingForText(
                "socat", {"-d", "-d", "pty,raw,echo=0,link=" + tty + "A", "pty,raw,echo=0,link=" + tty + "B"},
                "starting data transfer loop"))
            return false;
        if (tcp ? !(port = peer.startTellingPort(systemPython(), args, "READY"))
                : !peer.startWaitingForText(systemPython(), args, "READY"))
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

class TestModbus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(peerScript)); }

    // Runs first: the transaction counter starts at 0 once per process.
    void tcpTransactionIdsCountAcrossEngines()
    {
        const auto ask = [](Quenlix_ModbusClient& e, int code, int mode = Quenlix_ModBus_TCP) {
            return e.generateRequest(1, FC(code), 0, 1, Quenlix_ModBus_Mode(mode), {});
        };
        QCOMPARE(ask(*std::make_unique<Quenlix_ModbusClient>(), 3),
                 hex("00 00 00 00 00 06 01 03 00 00 00 01"));
        Quenlix_ModbusClient engine;
        QCOMPARE(ask(engine, 3).left(2), hex("00 01"));
        ask(engine, 1, Quenlix_ModBus_RTU); // RTU leaves the counter alone
        for (int i = 2; i < 65536; ++i)
            ask(engine, 1);
        QCOMPARE(ask(engine, 1).left(2), hex("00 00"));
    }

    void crc()
    {
        // The published CRC-16/MODBUS check value, and a frame whose CRC is known to end C5 CD.
        QCOMPARE(Quenlix_ModbusClient().calculateCRC("123456789"), quint16(0x4B37));
        QCOMPARE(Quenlix_ModbusClient().calculateCRC(hex("01 03 00 00 00 0A")), quint16(0xCDC5));
    }

    void rtuRequests_data()
    {
        QTest::addColumn<QList<int>>("fields"); // unit, code, address, quantity
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("frame");
        auto row = [](const char* tag, QList<int> fields, const char* data, const char* frame) {
            QTest::newRow(tag) << fields << (data ? hex(data) : QByteArray()) << hex(frame);
        };
        // clang-format off
        row("read-coils", {0x11, 1, 0x13, 0x25}, nullptr, "11 01 00 13 00 25 0E 84");
        row("read-holding", {0x11, 3, 0x6B, 3}, nullptr, "11 03 00 6B 00 03 76 87");
        row("coil-on", {0x11, 5, 0xAC, 1}, "01", "11 05 00 AC FF 00 4E 8B");
        row("write-register", {0x11, 6, 1, 1}, "00 03", "11 06 00 01 00 03 9A 9B");
        row("write-coils", {0x11, 15, 0x13, 10}, "CD 01", "11 0F 00 13 00 0A 02 CD 01 BF 0B");
        row("write-registers", {0x11, 16, 1, 2}, "00 0A 01 02", "11 10 00 01 00 02 04 00 0A 01 02 C6 F0");
        row("coil-off", {1, 5, 0, 1}, "00", "01 05 00 00 00 00 CD CA");
        row("coil-no-data-off", {1, 5, 0, 1}, nullptr, "01 05 00 00 00 00 CD CA");
        row("code-22-counts-words", {1, 22, 0, 3}, "00 0A 01", "01 16 00 00 00 03 01 00 0A 01 45 3E");
        // Only the low bits of each field enter the frame.
        row("fields-cut-to-size", {0x111, 0x103, 0x1006B, 0x10003}, nullptr, "11 03 00 6B 00 03 76 87");
        // clang-format on
    }
    void rtuRequests()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QByteArray, data);
        QTEST(Quenlix_ModbusClient().generateRequest(fields[0], FC(fields[1]), fields[2], fields[3],
                                                     Quenlix_ModBus_RTU, data),
              "frame");
    }

    void replies_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<QString>("error");
        const int RTU = Quenlix_ModBus_RTU, TCP = Quenlix_ModBus_TCP;
        const QVariant none;
        const QByteArray bulk = hex("01 03 FA") + QByteArray(250, '\x81'); // a byte count past 127

        auto row = [](const char* tag, int code, int mode, const QByteArray& reply, const QVariant& result,
                      const char* error = "") {
            QTest::newRow(tag) << code << mode << reply << result << error;
        };
        // clang-format off
        row("holding-three", 3, RTU, hex("11 03 06 AE 41 56 52 43 40 49 AD"), registers({0xAE41, 0x5652, 0x4340}));
        row("byte-count-unsigned", 3, TCP, tcp(bulk), QVariant::fromValue(QList<unsigned short>(125, 0x8181)));
        row("coils-published", 1, RTU, hex("11 01 05 CD 6B B2 0E 1B 45 E6"), coils("1011001111010110010011010111000011011000"));
        row("registers-echo", 16, RTU, hex("11 10 00 01 00 02 12 98"), QVariantMap{{"StartAddress", 1}, {"Quantity", 2}});
        row("code-22-ends-with-reply", 22, TCP, tcp(hex("01 16 09 00 01 00 02 00")), registers({1, 2, 0}));
        row("empty", 3, RTU, QByteArray(), none, "Empty response received");
        row("unexpected-function", 3, TCP, tcp(hex("01 04 02 00 2A")), none, "Unexpected function code in response");
        row("byte-count-too-big", 3, TCP, tcp(hex("01 03 04 00 2A")), none, "Invalid byte count in response");
        row("byte-count-too-small", 1, RTU, rtu(hex("01 01 01 05 06")), none, "Invalid byte count in response");
        row("tcp-length-one-more", 3, TCP, hex("00 00 00 00 00 06 01 03 02 00 2A"), none, "Invalid length in response");
        row("tcp-protocol-id", 3, TCP, hex("00 00 00 01 00 05 01 03 02 00 2A"), none, "Invalid protocol ID in response");
        row("unsupported-matching-code", 7, TCP, tcp(hex("01 07 00")), none, "Unsupported function code");
        // Replies too short for their fixed fields are refused without reading past them.
        row("tcp-header-only", 3, TCP, tcp({}), none, "Response too short");
        row("tcp-exception-no-code", 3, TCP, tcp(hex("01 83")), none, "Response too short");
        row("rtu-3-bytes", 3, RTU, hex("01 03 02"), none, "Response too short");
        row("coil-echo-short", 5, RTU, rtu(hex("11 05 00 AC FF")), none, "Response too short");
        // clang-format on
    }

    void replies()
    {
        QFETCH(int, code);
        QFETCH(int, mode);
        QFETCH(QByteArray, reply);
        QFETCH(QVariant, result);
        QFETCH(QString, error);
        Quenlix_ModbusClient engine;
        QSignalSpy errors(&engine, &Quenlix_ModbusClient::errorOccurred);
        const QVariant got = engine.parseResponse(FC(code), reply, Quenlix_ModBus_Mode(mode));
        QCOMPARE(got.metaType(), result.metaType());
        QCOMPARE(got, result);
        QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
        QVERIFY(error.isEmpty() || errors.at(0).at(0).toString() == error);
    }

    // When a reply is complete, judged from its first bytes; and which TCP frames belong to a request.
    void framing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("notTheReply");
        const int RTU = Quenlix_ModBus_RTU, TCP = Quenlix_ModBus_TCP;
        // clang-format off
        QTest::newRow("rtu-read-by-count") << RTU << hex("01 03 02") << 7 << "";
        QTest::newRow("rtu-count-unsigned") << RTU << hex("01 03 FA") << 255 << "";
        QTest::newRow("rtu-echo") << RTU << hex("01 10") << 8 << "";
        QTest::newRow("rtu-exception") << RTU << hex("01 83") << 5 << "";
        QTest::newRow("rtu-unknown-code") << RTU << hex("01 2B 00") << 0 << "";
        QTest::newRow("tcp-other-transaction") << TCP << hex("00 05 00 00 00 03 01 83 02") << 9 << "transaction id 5, the request's is 7";
        QTest::newRow("tcp-earlier-attempt") << TCP << hex("00 06 00 00 00 03 01 83 02") << 9 << "";
        QTest::newRow("tcp-by-header") << TCP << hex("00 07 00 00 00 05 01 03 02") << 11 << "";
        QTest::newRow("tcp-other-protocol") << TCP << hex("00 07 00 01 00 03 01 83 02") << 9 << "protocol id 1 is not Modbus";
        QTest::newRow("tcp-length-past-any-frame") << TCP << hex("00 07 00 00 01 00 01") << 0 << "";
        // clang-format on
    }
    void framing()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, bytes);
        const auto m = Quenlix_ModBus_Mode(mode);
        QTEST(ModbusConsole::replyLength(bytes, m), "length");
        // Two attempts of one transaction: a reply to either answers it.
        QTEST(ModbusConsole::notTheReply(
                  {hex("00 06 00 00 00 06 01 03 00 00 00 01"), hex("00 07 00 00 00 06 01 03 00 00 00 01")},
                  bytes, m),
              "notTheReply");
    }

    void exchange_data()
    {
        const QByteArray slow = rtu(hex("01 03 FA") + QByteArray(250, '\x07'));
        QTest::addColumn<int>("script");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QList<QByteArray>>("strays"); // reported as not the reply, in order
        const QByteArray neighbour = rtu(hex("02 03 02 00 07"));
        const QList<QByteArray> none;
        QTest::newRow("complete-reply-ends-wait") << 0 << readReply << 1 << none;
        QTest::newRow("answer-to-second-attempt") << 1 << readReply << 2 << none;
        QTest::newRow("stale-input-dropped") << 3 << readReply << 1 << none;
        // A flood of noise is capped and reported; the reply behind it is still found.
        QTest::newRow("flood-capped") << 4 << readReply << 1 << QList<QByteArray>{QByteArray(5000, 'x')};
        // 125 registers at 1200 baud take about 2.3 s: the window waits while bytes keep coming.
        QTest::newRow("slow-line-not-cut") << 5 << slow << 1 << none;
        QTest::newRow("port-vanishes") << 6 << QByteArray() << 1 << none;
        // The second noise byte is the unit's address: it cannot start the reply all the same.
        QTest::newRow("noise-before-reply") << 7 << readReply << 1 << QList<QByteArray>{hex("FF 01")};
        // On a shared line another unit's answer does not end the wait.
        QTest::newRow("other-unit-then-reply") << 8 << readReply << 1 << QList<QByteArray>{neighbour};
        QTest::newRow("only-other-units-answer") << 9 << QByteArray() << 3 << QList<QByteArray>(3, neighbour);
        QTest::newRow("exception-reply") << 10 << rtu(hex("01 83 02")) << 1 << none;
        // The reply of the expected length with a bad CRC is what the unit sent: returned at once.
        QTest::newRow("bad-crc-returned") << 11 << hex("01 03 02 00 2A 39 9C") << 1 << none;
    }

    void exchange()
    {
        QFETCH(int, script);
        QFETCH(QByteArray, reply);
        QFETCH(int, attempts);
        QFETCH(QList<QByteArray>, strays);
        PtyPair pty;
        QVERIFY(pty.isValid());
        ThreadSerial port; // closes its port on the first fatal error
        port.portName = pty.slavePath();
        port.baud = 115200;
        port.dataBits = 8;
        port.Init(false);
        QVERIFY(port.isOpen);
        if (script == 3)
            pty.write(hex("01 03 02 00 01 79 84")); // a complete old reply, waiting in the driver
        QByteArray seen;                            // what the device received
        // The device side plays its script on its own thread while the exchange blocks.
        std::thread device([&] {
            seen = pty.read(8, 1500);
            if (script == 1)
                seen += pty.read(8, 1500);
            if (script == 6) {
                pty.hangUp();
            } else if (script == 5) {
                for (const char c : reply) {
                    pty.write(QByteArray(1, c));
                    QThread::msleep(9); // one character time at 1200 baud
                }
            } else if (script == 8) {
                pty.write(rtu(hex("02 03 02 00 07")));
                QThread::msleep(50); // the other unit's frame is read alone
                pty.write(readReply);
            } else if (script == 9) {
                pty.write(rtu(hex("02 03 02 00 07")));
                for (int i = 1; i < 3; ++i) {
                    seen += pty.read(8, 1500);
                    pty.write(rtu(hex("02 03 02 00 07")));
                }
            } else {
                const QByteArray front = script == 4   ? QByteArray(5000, 'x')
                                         : script == 7 ? hex("FF 01")
                                                       : "";
                pty.write(front + (script < 10 ? readReply : reply));
            }
        });
        QElapsedTimer clock;
        clock.start();
        QList<QByteArray> sent, stray;
        const QByteArray got = ModbusConsole::exchange(
            port.serialPort, ModbusConsole::readSerial, Quenlix_ModBus_RTU, [&] { return readRequest; },
            [&](const QByteArray& r) { sent << r; },
            [&](const QByteArray& r, const QString&) { stray << r; });
        const qint64 elapsed = clock.elapsed();
        device.join();
        QCOMPARE(got, reply);
        QCOMPARE(sent.size(), attempts);
        if (script == 4) // what the buffer could not hold is dropped unseen
            QVERIFY(!stray.isEmpty() && stray.join().size() <= 5000 &&
                    stray.join().count('x') == stray.join().size());
        else
            QCOMPARE(stray, strays);
        QCOMPARE(seen, readRequest.repeated(attempts));
        QCOMPARE(port.serialPort->isOpen(), script != 6);
        // A complete reply ends its attempt at once.
        if (script == 0 || script == 3 || (script >= 7 && script != 9))
            QVERIFY2(elapsed < ModbusConsole::replyWindowMs / 2, qPrintable(QString::number(elapsed)));
    }

    // Replies that are wrong are logged raw with the reason they were refused; a slave that does
    // not answer gets three attempts, one window apart. A slave slower than the window is read
    // in the next attempt's, over RTU also behind line noise and another unit's answer.
    void spoiltReplies_data()
    {
        QTest::addColumn<QString>("spoil"); // transport and how the front spoils the replies
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QStringList>("reasons"); // per logged reply, in order; "" taken
        const QString otherUnit = "answer from unit 2, the request went to 1";
        QTest::newRow("tcp-no-answer") << "tcp mute" << 3 << QStringList();
        QTest::newRow("tcp-late") << "tcp late" << 2 << QStringList{""};
        QTest::newRow("tcp-other-unit") << "tcp unit" << 1 << QStringList{otherUnit};
        QTest::newRow("rtu-late-behind-noise")
            << "rtu noise+neighbour+late" << 2 << QStringList{"not the reply to the request", otherUnit, ""};
        QTest::newRow("rtu-other-unit-only") << "rtu unit" << 3 << QStringList(3, otherUnit);
        QTest::newRow("rtu-bad-crc") << "rtu crc" << 1 << QStringList{"Invalid CRC in response"};
    }
    void spoiltReplies()
    {
        QFETCH(QString, spoil);
        QFETCH(int, attempts);
        QFETCH(QStringList, reasons);
        const QString how = spoil.section(' ', 1);
        LinkedSlave slave;
        QVERIFY(slave.start(spoil.section(' ', 0, 0), how));
        MainWindow& w = slave.w;
        PeerProcess& peer = slave.peer;
        transact(w, ReadHolding, 0, 1);
        QList<Entry> sent = entries(w.ui->Modbus_sendMsgtextEdit);
        QCOMPARE(sent.size(), attempts);
        QTRY_COMPARE(peer.output().count("RX "), attempts); // the slave saw the same
        const QList<Entry> replies = entries(w.ui->Modbus_HexTextBrowser);
        QCOMPARE(replies.size(), reasons.size());
        for (int i = 0; i < replies.size(); ++i)
            QVERIFY2(reasons[i].isEmpty() ? replies[i].reason.isEmpty()
                                          : replies[i].reason.startsWith(reasons[i]),
                     qPrintable(replies[i].frame + " " + replies[i].reason));
        if (reasons.endsWith(""))
            QVERIFY2(replies.last().frame.contains("0x01,0x03,0x02,0x00,0x00"),
                     qPrintable(replies.last().frame));
        if (how != QLatin1String("mute"))
            return;
        const int firstId = sent[0].frame.remove("0x").remove(',').left(4).toInt(nullptr, 16);
        for (int i = 0; i < 3; ++i) { // each attempt a new transaction
            const QString wire = sent[i].frame.remove("0x").remove(',');
            QCOMPARE(wire, QString("%1").arg(firstId + i, 4, 16, QChar('0')) + "00000006010300000001");
            const int gap = i ? sent[i - 1].time.msecsTo(sent[i].time) : 1000;
            QVERIFY2(gap >= 990 && gap < 2000, qPrintable(QString::number(gap)));
        }
        peer.stop(); // the slave goes away: the link returns to idle by itself
        QTRY_COMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("No server found"));
        QVERIFY(tcpControlsIdle(w));
    }

    // Over TCP and over RTU: what the tab writes is there (over TCP, mbpoll as an independent
    // master reads it back), replies show in the log, and an exception reply is refused.
    void againstPymodbus_data()
    {
        QTest::addColumn<QString>("closed"); // the status once the link is closed
        QTest::newRow("tcp") << "Disconnected TCP server";
        QTest::newRow("rtu") << "Serial closed";
    }
    void againstPymodbus()
    {
        QFETCH(QString, closed);
        const bool tcp = QByteArray(QTest::currentDataTag()) == "tcp";
        LinkedSlave slave;
        QVERIFY(slave.start(QTest::currentDataTag()));
        MainWindow& w = slave.w;
        const auto replied = [&] { return lastFrame(w.ui->Modbus_HexTextBrowser); };
        w.Modbus_displayError(QAbstractSocket::SocketTimeoutError); // changes nothing
        QCOMPARE(w.Modbus_tcpOpen, int(tcp));

        transact(w, WriteRegisters, 2, 2, "0x12,0x34 0xAB 0xCD");
        QVERIFY(lastFrame(w.ui->Modbus_sendMsgtextEdit)
                    .contains("0x01,0x10,0x00,0x02,0x00,0x02,0x04,0x12,0x34,0xab,0xcd"));
        QVERIFY(replied().contains("0x01,0x10,0x00,0x02,0x00,0x02"));
        QProcess mbpoll;
        mbpoll.start("mbpoll", {"-m", "tcp", "-p", QString::number(slave.port), "-a", "1", "-r", "3", "-c",
                                "2", "-t", "4:hex", "-1", "127.0.0.1"});
        QVERIFY(mbpoll.waitForFinished(10000));
        const QString readBack = QString::fromLocal8Bit(mbpoll.readAllStandardOutput());
        QVERIFY2(!tcp || (readBack.contains("[3]: \t0x1234") && readBack.contains("[4]: \t0xABCD")),
                 qPrintable(readBack));

        // The user's selection in a log is not where new entries go, nor is it replaced.
        w.ui->Modbus_sendMsgtextEdit->selectAll();
        transact(w, ReadHolding, 2, 2);
        QVERIFY(replied().contains("0x01,0x03,0x04,0x12,0x34,0xab,0xcd"));
        transact(w, ReadInputRegs, 5, 2);
        QVERIFY(replied().contains("0x01,0x04,0x04,0x10,0x05,0x10,0x06"));
        transact(w, ReadInputs, 0, 8);
        QVERIFY(replied().contains("0x01,0x02,0x01,0xaa"));
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 4);
        // Beyond the slave's table: its exception reply is logged raw, refused.
        transact(w, ReadHolding, 198, 5);
        const Entry exception = entries(w.ui->Modbus_HexTextBrowser).last();
        QVERIFY(exception.frame.contains("0x01,0x83,0x02"));
        QCOMPARE(exception.reason, QStringLiteral("Modbus exception response: 2"));

        QPointer<Quenlix_ModbusClient> engine = w.Modbus_client;
        pressLeft(tcp ? w.ui->ModbusTCPopencompushButton : w.ui->ModbusopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), closed);
        QTRY_VERIFY(tcp ? tcpControlsIdle(w) : engine.isNull() && !w.Modbus_client);
        transact(w, ReadHolding, 7, 1); // without a link: nothing is sent
        QCOMPARE(entries(w.ui->Modbus_sendMsgtextEdit).size(), 5);
    }

    void inputGuards()
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
            {ReadHolding, 1, "0x1G", "请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12"},
            {WriteRegister, 1, "0x1FF", "Each value is one byte, 0x00 to 0xFF: 0x1FF"},
            {WriteRegisters, 1, "0x1 0x12345678901234567", "Each value is one byte, 0x00 to 0xFF: 0x12345678901234567"},
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

        // The device vanishes while the tab holds the port: the tab lets go, engine included.
        rig.pty.hangUp();
        QTRY_VERIFY(!w.Serial_isOpen);
        QVERIFY(!w.Modbus_client);
        QCOMPARE(w.ui->ModbusopencompushButton->text(), QStringLiteral("Open"));
        // Over TCP, an empty address and ports that must not quietly wrap (65536 + 502) or be read in
        // part are refused before a link is tried.
        pressLeft(w.ui->ModbusportMode_2);
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
};

QTEST_MAIN(TestModbus)
#include "tst_modbus.moc"
