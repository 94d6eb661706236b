// One AT transaction while the modem's answer, with unsolicited lines mixed in, arrives
// in pieces: the port is played by a device that hands out one piece per read.
#include <QSerialPort>

#include "fuzz/feddevice.h"
#include "fuzz/fuzzinput.h"
#include "gsm/atexchange.h"
#include "gsm/atreply.h"

namespace {

// A serial port without a device behind it, handed one piece of the input at each read.
class ModemPort : public FedDevice<QSerialPort>
{
public:
    ~ModemPort() override { close(); }
    bool open(QIODevice::OpenMode mode) override { return QIODevice::open(mode); }
    void close() override { QIODevice::close(); }
    void next()
    {
        if (!pieces.isEmpty())
            deliver(pieces.takeFirst());
    }
    QList<QByteArray> pieces;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    ModemPort port;
    port.open(QIODevice::ReadWrite);
    port.pieces = chunksOf(data, size);
    {
        AtExchange exchange([&port] { return &port; }, [](int) {},
                            [](const QByteArray& line) {
                                // A line, or at the end an unfinished one: never more than a read and the
                                // kept start.
                                if (line.size() > AtExchange::readLimit + AtReply::unsolicitedBufferLimit + 2)
                                    __builtin_trap();
                            });
        if (data[0] & 1)
            exchange.setOwnResults({"NO CARRIER", "BUSY"});
        exchange.send("ATD123;\r");
        const qsizetype pieces = port.pieces.size();
        exchange.poll(int(pieces) + 1, 0, [&](const QByteArray& read) {
            if (read.size() > AtExchange::readLimit)
                __builtin_trap();
            port.next();
            return false;
        });
        if (data[0] & 2)
            port.close(); // the port goes away in the middle
        exchange.waitFor(1, 0, {"OK", "ERROR"});
    }
    return 0;
}
