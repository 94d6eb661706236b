// Position lines from the GPS tab's TCP clients, in pieces as the network delivers them.
#include "fuzz/fuzzinput.h"
#include "gps/gpstrack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray buffer;
    GpsTrack::Replay replay;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        for (const QByteArray& line : GpsTrack::takeLines(buffer, chunk)) {
            const auto position = GpsTrack::parse(QString::fromUtf8(line));
            if (!position || !GpsTrack::isPosition(*position))
                continue;
            GpsTrack::splitDegrees(position->latitude, QStringLiteral("N"), QStringLiteral("S"));
            GpsTrack::splitDegrees(position->longitude, QStringLiteral("E"), QStringLiteral("W"));
            GpsTrack::jsString(position->latitude);
            replay.add(*position);
        }
        if (buffer.size() > GpsTrack::maxLineBytes)
            __builtin_trap();
    }
    return 0;
}
