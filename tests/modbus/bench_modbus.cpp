// Time per Modbus TCP read: the tab's exchange against mbpoll, each reading one holding
// register from the same pymodbus slave in the same run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <cstdio>

#include "protocols/Quenlix_ModbusClient.h"
#include "protocols/modbusconsole.h"
#include "tests/common/freeport.h"
#include "tests/common/peerprocess.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int reads = 50;
    const quint16 port = freeTcpPort();
    PeerProcess slave;
    QTcpSocket socket;
    if (!slave.startWaitingForPort(systemPython(), {MODBUS_PEER_SCRIPT, "tcp", QString::number(port)}, port))
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
    const double ours = double(clock.restart()) / reads;
    for (int i = 0; i < reads; ++i) {
        QProcess mbpoll;
        mbpoll.start("mbpoll", {"-m", "tcp", "-p", QString::number(port), "-a", "1", "-r", "1", "-c", "1",
                                "-1", "127.0.0.1"});
        if (!mbpoll.waitForFinished(10000) || mbpoll.exitCode() != 0)
            return 1;
    }
    const double reference = double(clock.elapsed()) / reads;
    std::printf("Modbus TCP read, ms per read over %d reads: exchange %.2f, mbpoll %.2f, ratio %.3f\n", reads,
                ours, reference, ours / reference);
    return 0;
}
