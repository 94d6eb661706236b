#pragma once

#include <QByteArray>

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
