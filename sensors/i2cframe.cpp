#include "sensors/i2cframe.h"

#include <QRegularExpression>
#include <QStringList>

namespace I2cFrame {

quint8 checksum(const unsigned char* data, unsigned long length)
{
    unsigned sum = 0;
    for (unsigned long i = 0; i < length; ++i)
        sum += data[i];
    return quint8(sum & 0xFF);
}

QByteArray encode(quint8 command, const QByteArray& payload)
{
    if (payload.size() > 0xFFFF)
        return {};
    QByteArray frame;
    frame.reserve(payload.size() + headerSize + 1);
    frame.append(magic, 2);
    frame.append(char(command));
    frame.append(char(payload.size() >> 8));
    frame.append(char(payload.size() & 0xFF));
    frame.append(payload);
    frame.append(char(checksum(reinterpret_cast<const unsigned char*>(payload.constData()), payload.size())));
    return frame;
}

QByteArray simpleCommand(Command command)
{
    return encode(command, QByteArray(1, char(0xFF)));
}

QByteArray setAddress(quint8 address)
{
    return encode(SetAddress, QByteArray(1, char(address)));
}

QByteArray writeRegisters(quint8 reg, const QByteArray& data)
{
    if (data.size() > maxWriteData)
        return {};
    return encode(Write, char(reg) + data);
}

QByteArray readRegisters(quint8 reg, quint8 count)
{
    QByteArray payload;
    payload.append(char(reg)).append(char(count));
    return encode(Read, payload);
}

bool parseByteList(const QString& text, QByteArray* bytes)
{
    // Anchored as a whole: "$" alone would also accept a trailing line feed.
    static const QRegularExpression format(
        QRegularExpression::anchoredPattern(QStringLiteral("0x[0-9a-fA-F]{2}(,0x[0-9a-fA-F]{2})*")));
    if (!format.match(text).hasMatch())
        return false;
    QByteArray parsed;
    for (const QString& part : text.split(QLatin1Char(',')))
        parsed.append(char(part.mid(2).toUInt(nullptr, 16)));
    *bytes = parsed;
    return true;
}

} // namespace I2cFrame

namespace {

using I2cFrame::headerSize;

enum class Candidate { Incomplete, False, Valid };

// What the magic at `p` starts; `end` gets the end of a frame that the adapter could have sent.
Candidate candidateAt(const QByteArray& buffer, qsizetype p, qsizetype* end)
{
    if (p + headerSize > buffer.size())
        return Candidate::Incomplete;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.constData());
    const qsizetype length = (qsizetype(bytes[p + 3]) << 8) | bytes[p + 4];
    if (headerSize + length + 1 > I2cFrame::adapterFrameSize)
        return Candidate::False;
    *end = p + headerSize + length + 1;
    if (*end > buffer.size())
        return Candidate::Incomplete;
    const unsigned char* payload = bytes + p + headerSize;
    return I2cFrame::checksum(payload, length) == payload[length] ? Candidate::Valid : Candidate::False;
}

bool validFrameAt(const QByteArray& buffer, qsizetype p, qsizetype* end)
{
    return buffer.mid(p, 2) == I2cFrame::magic && candidateAt(buffer, p, end) == Candidate::Valid;
}

// Whether two good frames follow the magic at `p` back to back, before its claimed `end`: the
// adapter's stream goes on behind a magic that only looked like a frame.
bool streamFollows(const QByteArray& buffer, qsizetype p, qsizetype end)
{
    const QByteArray marker(I2cFrame::magic, 2);
    for (qsizetype q = buffer.indexOf(marker, p + 1); q >= 0 && q < end; q = buffer.indexOf(marker, q + 1)) {
        qsizetype first = 0, second = 0;
        if (validFrameAt(buffer, q, &first) && validFrameAt(buffer, first, &second))
            return true;
    }
    return false;
}

} // namespace

QList<I2cFrameReceiver::Frame> I2cFrameReceiver::feed(const QByteArray& chunk)
{
    using namespace I2cFrame;
    const QByteArray marker(magic, 2);
    QList<Frame> frames;
    m_buffer.append(chunk);

    // The earliest magic decides. While its frame is incomplete nothing after it is taken, since
    // a magic inside a payload may look like a frame with a good checksum, unless the adapter's
    // stream plainly goes on behind it; a candidate that fails its checksum, or claims more than
    // the adapter sends, was a false start, so the search goes on at the next byte, not after it.
    qsizetype p = m_buffer.indexOf(marker);
    while (p >= 0 && p + headerSize <= m_buffer.size()) {
        qsizetype end = 0;
        const Candidate c = candidateAt(m_buffer, p, &end);
        if (c == Candidate::Incomplete && !streamFollows(m_buffer, p, end))
            break;
        if (c == Candidate::Valid) {
            frames.append(
                {quint8(m_buffer.at(p + 2)), m_buffer.mid(p + headerSize, end - p - headerSize - 1)});
            p = m_buffer.indexOf(marker, end);
        } else {
            p = m_buffer.indexOf(marker, p + 1);
        }
    }
    // Keep the buffer bounded: nothing before the first candidate can ever start a frame, and a
    // candidate waits for at most one adapter frame.
    if (p >= 0) {
        m_buffer.remove(0, p);
    } else {
        const bool halfMagic = m_buffer.endsWith(magic[0]);
        m_buffer.clear();
        if (halfMagic)
            m_buffer.append(magic[0]);
    }
    return frames;
}
