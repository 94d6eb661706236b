#pragma once

#include <QByteArray>
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

inline constexpr int replyWindowMs = 1000;
inline constexpr int maxAttempts = 3;
// A Modbus frame is at most 260 bytes; anything past this is dropped.
inline constexpr int maxReplyBytes = 1024;

// Up to three attempts: each takes a request from nextRequest, reports it to sent,
// writes it and collects input for the whole reply window. Returns the first
// non-empty reply, or an empty array when nothing came, when a request could not
// be built or written, or when the device closed. Blocks for at most about
// maxAttempts * replyWindowMs.
QByteArray exchange(QIODevice* device, Timing timing, const std::function<QByteArray()>& nextRequest,
                    const std::function<void(const QByteArray&)>& sent);

} // namespace ModbusConsole
