#include "sensors/i2cframe.h"

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

} // namespace I2cFrame

QList<I2cFrameReceiver::Frame> I2cFrameReceiver::feed(const QByteArray& chunk)
{
    using namespace I2cFrame;
    const QByteArray marker(magic, 2);
    QList<Frame> frames;
    m_buffer.append(chunk);

    qsizetype p = m_buffer.indexOf(marker);
    while (p >= 0) {
        const qsizetype size = m_buffer.size();
        if (p + headerSize <= size) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.constData());
            const qsizetype length = (qsizetype(bytes[p + 3]) << 8) | bytes[p + 4];
            if (size - (p + headerSize) >= length + 1) {
                const unsigned char* payload = bytes + p + headerSize;
                if (checksum(payload, length) == payload[length])
                    frames.append({bytes[p + 2], m_buffer.mid(p + headerSize, length)});
                m_buffer.remove(0, p + headerSize + length + 1);
                p = m_buffer.indexOf(marker);
                continue;
            }
        }
        p = m_buffer.indexOf(marker, p + 1);
    }

    // Keep the buffer bounded: nothing before the first magic can ever start a frame.
    const qsizetype first = m_buffer.indexOf(marker);
    if (first > 0) {
        m_buffer.remove(0, first);
    } else if (first < 0 && !m_buffer.isEmpty()) {
        const bool halfMagic = m_buffer.endsWith(magic[0]);
        m_buffer.clear();
        if (halfMagic)
            m_buffer.append(magic[0]);
    }
    return frames;
}
