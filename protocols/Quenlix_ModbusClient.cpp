#include "protocols/Quenlix_ModbusClient.h"

#include <QList>
#include <QVariantMap>

namespace {

// One counter for the whole process: transaction ids keep counting across engines.
quint16 transactionCounter = 0;

void appendWord(QByteArray& frame, int value)
{
    frame.append(char((value >> 8) & 0xFF));
    frame.append(char(value & 0xFF));
}

quint8 byteAt(const QByteArray& data, int index)
{
    return index < data.size() ? quint8(data.at(index)) : quint8(0);
}

int wordAt(const QByteArray& data, int index)
{
    return (quint8(data.at(index)) << 8) | quint8(data.at(index + 1));
}

bool isKnown(int code)
{
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 15:
    case 16:
    case 22:
        return true;
    default:
        return false;
    }
}

// Shortest body (unit id, function code, data) each reply needs for its fixed fields.
int minimumBody(int code)
{
    switch (code) {
    case 5:
    case 6:
    case 15:
    case 16:
        return 6; // unit, code, address, value or quantity
    default:
        return 3; // unit, code, byte count
    }
}

} // namespace

Quenlix_ModbusClient::Quenlix_ModbusClient(QObject* parent) : QObject(parent) {}

Quenlix_ModbusClient::~Quenlix_ModbusClient() = default;

QByteArray Quenlix_ModbusClient::generateRequest(int slaveId, FunctionCode functionCode, int startAddress,
                                                 int quantity, Quenlix_ModBus_Mode mode, QByteArray data)
{
    const bool tcp = mode != Quenlix_ModBus_RTU;
    QByteArray frame;
    if (tcp) {
        appendWord(frame, transactionCounter++);
        appendWord(frame, 0); // protocol id
        appendWord(frame, 0); // length, filled in below
    }
    const int code = int(functionCode) & 0xFF;
    if (!isKnown(code)) {
        emit errorOccurred(QStringLiteral("Unsupported function code"));
        return {};
    }
    frame.append(char(slaveId & 0xFF));
    frame.append(char(code));
    appendWord(frame, startAddress & 0xFFFF);
    switch (code) {
    case 5:
        frame.append(byteAt(data, 0) != 0 ? char(0xFF) : char(0x00));
        frame.append(char(0x00));
        break;
    case 6:
        frame.append(char(byteAt(data, 0)));
        frame.append(char(byteAt(data, 1)));
        break;
    case 15:
    case 16:
        appendWord(frame, quantity & 0xFFFF);
        frame.append(char(data.size() & 0xFF));
        frame.append(data);
        break;
    case 22:
        appendWord(frame, quantity & 0xFFFF);
        frame.append(char((data.size() / 2) & 0xFF));
        frame.append(data);
        break;
    default: // 1 to 4
        appendWord(frame, quantity & 0xFFFF);
        break;
    }
    if (tcp) {
        const int length = int(frame.size()) - 6;
        frame[4] = char((length >> 8) & 0xFF);
        frame[5] = char(length & 0xFF);
    } else {
        const quint16 crc = calculateCRC(frame);
        frame.append(char(crc & 0xFF));
        frame.append(char(crc >> 8));
    }
    return frame;
}

QVariant Quenlix_ModbusClient::parseResponse(FunctionCode functionCode, const QByteArray& response,
                                             Quenlix_ModBus_Mode mode)
{
    if (response.isEmpty())
        return fail("Empty response received");

    QByteArray body;
    if (mode != Quenlix_ModBus_RTU) {
        if (response.size() < 4 || response.at(2) != 0 || response.at(3) != 0)
            return fail("Invalid protocol ID in response");
        if (response.size() < 6 || wordAt(response, 4) != response.size() - 6)
            return fail("Invalid length in response");
        body = response.mid(6);
    } else {
        if (response.size() < 4)
            return fail("Response too short");
        body = response.left(response.size() - 2);
        const quint16 received = quint16(quint8(response.at(response.size() - 2)) |
                                         (quint8(response.at(response.size() - 1)) << 8));
        if (calculateCRC(body) != received)
            return fail("Invalid CRC in response");
    }
    if (body.size() < 2)
        return fail("Response too short");

    const int code = int(functionCode) & 0xFF;
    const int replyCode = quint8(body.at(1));
    if (replyCode != code) {
        if (!(replyCode & 0x80))
            return fail("Unexpected function code in response");
        if (body.size() < 3)
            return fail("Response too short");
        const QString message = QStringLiteral("Modbus exception response: %1").arg(quint8(body.at(2)));
        emit errorOccurred(message);
        return {};
    }
    if (!isKnown(code))
        return fail("Unsupported function code");
    if (body.size() < minimumBody(code))
        return fail("Response too short");

    const int byteCount = quint8(body.at(2));
    if (code >= 1 && code <= 4 && byteCount != body.size() - 3)
        return fail("Invalid byte count in response");

    switch (code) {
    case 1:
    case 2: {
        QList<bool> bits;
        bits.reserve(byteCount * 8);
        for (int i = 0; i < byteCount; ++i) {
            const quint8 b = quint8(body.at(3 + i));
            for (int bit = 0; bit < 8; ++bit)
                bits.append(((b >> bit) & 1) != 0);
        }
        return QVariant::fromValue(bits);
    }
    case 3:
    case 4:
    case 22: {
        // Code 22's count is unchecked: stop where the reply ends.
        const int end = int(qMin<qsizetype>(3 + byteCount, body.size()));
        QList<unsigned short> registers;
        for (int i = 3; i < end; i += 2) {
            const quint8 low = i + 1 < end ? quint8(body.at(i + 1)) : quint8(0);
            registers.append(static_cast<unsigned short>((quint8(body.at(i)) << 8) | low));
        }
        return QVariant::fromValue(registers);
    }
    default: { // 5, 6, 15, 16
        QVariantMap echo;
        echo.insert(QStringLiteral("StartAddress"), wordAt(body, 2));
        echo.insert(QStringLiteral("Quantity"), wordAt(body, 4));
        return echo;
    }
    }
}

quint16 Quenlix_ModbusClient::calculateCRC(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QVariant Quenlix_ModbusClient::fail(const char* message)
{
    emit errorOccurred(QString::fromLatin1(message));
    return {};
}
