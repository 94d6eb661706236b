#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

// Bytes from outside rarely arrive in one piece: the first input byte picks the sizes of the
// chunks the rest is delivered in, so split sentences, frames and packets are covered too.
inline QList<QByteArray> chunksOf(const uint8_t* data, size_t size)
{
    QList<QByteArray> chunks;
    if (size == 0)
        return chunks;
    unsigned state = data[0];
    const char* rest = reinterpret_cast<const char*>(data + 1);
    qsizetype left = qsizetype(size - 1);
    while (left > 0) {
        state = state * 1103515245u + 12345u;
        const qsizetype n = std::min<qsizetype>(left, 1 + (state >> 16) % (1 + data[0]));
        chunks.append(QByteArray(rest, n));
        rest += n;
        left -= n;
    }
    return chunks;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
