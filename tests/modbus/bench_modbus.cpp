// Time per Modbus TCP read: the tab's exchange against a persistent pymodbus client, each
// reading one holding register from the same pymodbus slave in the same run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <cstdio>

#include "protocols/Quenlix_ModbusClient.h"
#include "protocols/modbusconsole.h"
#include "tests/common/peerprocess.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int reads = 200;
    PeerProcess slave;
    QTcpSocket socket;
    const quint16 port = slave.startTellingPort(systemPython(), {MODBUS_PEER_SCRIPT, "tcp", "0"}, "READY");
    if (!port)
        return 1;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(5000))
        return 1;
    Quenlix_ModbusClient engine;
    const auto request = [&] {
        return engine.generateRequest(1, Quenlix_ModbusClient::ReadHoldingRegisters, 0, 1, Quenlix_ModBus_TCP,
                                      {});
    };
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < reads; ++i)
        if (ModbusConsole::exchange(
                &socket, ModbusConsole::readTcp, Quenlix_ModBus_TCP, request, [](auto&) {},
                [](auto&, auto&) {})
                .size() != 11)
            return 1;
    const double ours = clock.nsecsElapsed() / 1e6 / reads;
    // The same reads through one persistent pymodbus client (a process start per read, as
    // with mbpoll, would measure process starts).
    QProcess reader;
    reader.start(systemPython(), {MODBUS_READER_SCRIPT, QString::number(port), QString::number(reads)});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        return 1;
    const double reference = reader.readAllStandardOutput().trimmed().toDouble();
    std::printf(
        "Modbus TCP read, ms per read over %d reads: exchange %.3f, pymodbus client %.3f, ratio %.3f\n",
        reads, ours, reference, ours / qMax(0.001, reference));
    return 0;
}
