#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Frames of the I2C adapter: "QU", command, 16-bit big-endian payload length, payload, and the
// low 8 bits of the payload's sum.
namespace I2cFrame {

enum Command : quint8 { Stop = 0, Scan = 1, Start = 2, SetAddress = 3, Write = 4, Read = 5 };

inline constexpr char magic[] = "QU";
inline constexpr int headerSize = 5;
// The adapter builds every frame in a buffer of this size: a longer one never comes from it.
inline constexpr int adapterFrameSize = 512;

quint8 checksum(const unsigned char* data, unsigned long length);

// The whole frame for a command and its payload; empty when the payload exceeds 65535 bytes.
QByteArray encode(quint8 command, const QByteArray& payload);

// The commands the program sends. Stop, scan and start carry the single byte 0xFF.
QByteArray simpleCommand(Command command);
QByteArray setAddress(quint8 address);
// The adapter assembles a write in 512 bytes: at most 505 data bytes after the register.
inline constexpr int maxWriteData = 505;
// Empty when there are more than maxWriteData bytes.
QByteArray writeRegisters(quint8 reg, const QByteArray& data);
QByteArray readRegisters(quint8 reg, quint8 count);

// Bytes typed as "0x12,0x34,0xab": two hex digits after a lower-case "0x", separated by single
// commas, nothing else. Returns false (and leaves `bytes` alone) for any other text.
bool parseByteList(const QString& text, QByteArray* bytes);

} // namespace I2cFrame

// Cuts adapter frames out of a byte stream that arrives in arbitrary chunks. The result does not
// depend on how the stream is split: a magic whose frame is still incomplete holds back what
// follows it, and a candidate with a wrong checksum is dropped as a false start only (the search
// resumes at its second byte), so a real frame around or after it is still found.
// A magic is false at once when its length is more than the adapter can send, and an incomplete
// one stops holding back once two whole frames with good checksums follow it back to back: one
// alone may lie inside the payload of a real frame still arriving, a run of them is the stream
// (only a real frame that carries two such frames back to back in its payload is then lost).
class I2cFrameReceiver
{
public:
    struct Frame
    {
        quint8 command = 0;
        QByteArray payload;
    };

    // Appends a chunk and returns the frames it completed, in stream order.
    QList<Frame> feed(const QByteArray& chunk);

    // Bytes kept for the next chunk: less than one adapter frame. Bytes before the first magic can
    // never become part of a frame and are dropped at once.
    const QByteArray& pending() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
};
