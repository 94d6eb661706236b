#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTime>

#include <functional>

#include "protocols/Quenlix_ModbusClient.h"

class QIODevice;

// What the Modbus tab does besides framing: value text, log text and the
// request/reply exchange on a serial port or socket. No widgets here.
namespace ModbusConsole {

// The function list's index to its function code (index 8 is code 22; out of range: 1).
Quenlix_ModbusClient::FunctionCode functionForIndex(int index);
// Indexes above 3 are the write functions.
inline bool isWriteIndex(int index)
{
    return index > 3;
}

// "0x11 0x12" or "0x11,0x12"; an empty text passes.
bool isValidHexInput(const QString& text);
// One byte per "0x.." token: its low 8 bits (0 when the number overflows 32 bits).
QByteArray hexStringToBytes(const QByteArray& text);
// Most value bytes one request carries (write multiple coils/registers).
inline constexpr int maxValueBytes = 246;
// The first "0x.." token whose value does not fit one byte; empty when all fit.
QString oversizedToken(const QString& text);

// "0x01,0x03,...": two lower-case digits per byte, a line feed after 0x0a, no final comma.
QString frameHex(const QByteArray& frame);
// One log entry: green "[hh:mm:ss.zzz]" time stamp on a new line, then the frame in black.
QString logEntryHtml(const QByteArray& frame, const QTime& time);

// Timing of one exchange: how long each wait for input lasts and whether the reply
// window opens before or after the write.
struct Timing
{
    int pollMs;
    bool timerBeforeWrite;
};
inline constexpr Timing readSerial{20, false};
inline constexpr Timing readTcp{100, false};
inline constexpr Timing writeSerial{100, true};
inline constexpr Timing writeTcp{20, true};

// A unit that sends nothing is given up after this long.
inline constexpr int replyWindowMs = 1000;
// A reply still arriving at the end of the window is waited for while its bytes keep
// coming (no pause longer than the gap), up to the bound: at 300 baud the longest
// frame takes about 9.4 s.
inline constexpr int interByteGapMs = 250;
inline constexpr int maxReplyWindowMs = 10000;
inline constexpr int maxAttempts = 3;
// The longest Modbus frame (TCP: 7-byte header and 253-byte PDU).
inline constexpr int maxFrameBytes = 260;
// Anything past this is dropped.
inline constexpr int maxReplyBytes = 1024;

// Length the reply starting at bytes will have when complete, judged from its
// function code and byte count (RTU) or its header (TCP); 0 while it cannot be told.
int replyLength(const QByteArray& bytes, Quenlix_ModBus_Mode mode);
// Why a complete TCP frame answers none of requests (another transaction or protocol
// id); empty when it may answer one of them. RTU frames carry no such id.
QString notTheReply(const QList<QByteArray>& requests, const QByteArray& frame, Quenlix_ModBus_Mode mode);

// What an RTU request expects back: its unit and function code, and the reply's length
// (0 where only the reply's byte count tells it). An exception reply is 5 bytes.
struct RtuExpectation
{
    quint8 unit = 0;
    quint8 code = 0;
    int length = 0;
};
RtuExpectation expectedRtuReply(const QByteArray& request);
// Length of the expected reply (or exception) complete with a good CRC at the start of bytes; 0 if none.
int rtuReplyAt(const QByteArray& bytes, const RtuExpectation& expected);
// Whether bytes could be the beginning of the expected reply (or exception) still arriving.
bool mayStartRtuReply(const QByteArray& bytes, const RtuExpectation& expected);
// Why the reply to request is refused: the engine's verdict, or another unit's
// answer; empty when it is good.
QString refusal(Quenlix_ModbusClient& engine, Quenlix_ModbusClient::FunctionCode code,
                const QByteArray& request, const QByteArray& reply, Quenlix_ModBus_Mode mode);
// A refused reply's log entry: the frame's entry with the reason beside it.
QString refusedEntryHtml(const QByteArray& frame, const QTime& time, const QString& reason);

// Up to three attempts: input left from before is dropped, a request is taken from
// nextRequest, reported to sent and written, and the reply collected. A complete
// reply ends the wait at once. Over TCP a reply to any attempt of this transaction
// answers it (a slow slave's answer to the first may come in the second's window);
// over RTU the reply is known by its unit, function code, length and CRC, and bytes
// before it (line noise, frames of other units on a shared line) go to stray while
// the wait goes on. Returns the reply (maybe incomplete when the window ended in the
// middle of it), or an empty array when nothing came, when a request could not be
// built or written, or when the device closed. Blocks for at most about
// maxAttempts * replyWindowMs, longer only while a reply keeps arriving.
QByteArray exchange(QIODevice* device, Timing timing, Quenlix_ModBus_Mode mode,
                    const std::function<QByteArray()>& nextRequest,
                    const std::function<void(const QByteArray&)>& sent,
                    const std::function<void(const QByteArray&, const QString&)>& stray);

} // namespace ModbusConsole
