#include "tests/common/freeport.h"

#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QUdpSocket>

#include <functional>

namespace {

// The system hands ports of its own choosing (to port-0 binds and to outgoing connections) from
// ip_local_port_range. A port picked below that range can be taken between the pick and the
// bind of the program under test only by another program that also picks by number.
// `bind` binds a port for a moment and returns the one it got, 0 when it could not.
quint16 pickBelowSystemRange(const std::function<quint16(quint16)>& bind)
{
    static const int systemFirst = [] {
        QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
        return range.open(QIODevice::ReadOnly) ? range.readLine().split('\t').value(0).toInt() : 0;
    }();
    const int first = 10000;
    for (int attempt = 0; systemFirst > first && attempt < 200; ++attempt)
        if (const quint16 port = bind(quint16(QRandomGenerator::global()->bounded(first, systemFirst))))
            return port;
    return bind(0); // the system's own pick
}

} // namespace

quint16 freeTcpPort()
{
    return pickBelowSystemRange([](quint16 port) {
        QTcpServer server;
        return server.listen(QHostAddress::Any, port) ? server.serverPort() : quint16(0);
    });
}

quint16 freeUdpPort()
{
    return pickBelowSystemRange([](quint16 port) {
        QUdpSocket socket;
        return socket.bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress) ? socket.localPort()
                                                                                       : quint16(0);
    });
}
