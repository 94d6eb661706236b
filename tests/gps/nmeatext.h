#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include "tests/common/shareddata.h"

// The textbook GGA example, with its published checksum.
inline const QByteArray textbookGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

// Seals a sentence body ("GPRMC,...") with its checksum and line end.
inline QByteArray sealed(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// A receiver capture of the shared test data: its byte stream and gpsd's decoding of it
// (one sentence or JSON report a line). Empty when the data is absent.
struct Capture
{
    QByteArray stream;
    QList<QByteArray> chk;

    explicit Capture(const QString& name)
    {
        const QString dir = sharedTestData(QStringLiteral("nmea"));
        QFile log(dir + '/' + name + ".log"), reference(dir + '/' + name + ".log.chk");
        if (dir.isEmpty() || !log.open(QIODevice::ReadOnly) || !reference.open(QIODevice::ReadOnly))
            return;
        while (!log.atEnd())
            if (const QByteArray line = log.readLine(); !line.startsWith('#'))
                stream += line;
        while (!reference.atEnd())
            chk << reference.readLine().trimmed();
    }
};

// Cut points for feeding `size` bytes in chunks of 1 to maxChunk bytes.
inline QList<int> randomCuts(int size, int maxChunk, QRandomGenerator& random)
{
    QList<int> cuts;
    for (int at = 0; at < size; at += 1 + random.bounded(maxChunk))
        cuts << at;
    return cuts;
}
