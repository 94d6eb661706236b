// NMEA sentences from a GPS receiver, as the GPS console reads them.
#include "fuzz/fuzzinput.h"
#include "gps/nmea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray pending;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        for (const QByteArray& sentence : Nmea::takeSentences(pending, chunk)) {
            Nmea::checksumMatches(sentence);
            const char* s = sentence.constData();
            switch (Nmea::sentenceType(s)) {
            case Nmea::SentenceType::Rmc:
                Nmea::decodeRmc(s);
                break;
            case Nmea::SentenceType::Gsv:
                Nmea::gsvTalker(s);
                Nmea::numberText(Nmea::gsvInView(s));
                Nmea::decodeGsvSatellites(s);
                Nmea::gsvConstellation(s);
                break;
            case Nmea::SentenceType::Gga:
                Nmea::decodeGga(s);
                break;
            case Nmea::SentenceType::Gsa:
                Nmea::decodeGsa(s);
                break;
            case Nmea::SentenceType::Vtg:
                Nmea::numberText(Nmea::decodeVtgSpeed(s));
                break;
            case Nmea::SentenceType::None:
                break;
            }
            for (int field = 0; field < 20; ++field) {
                Nmea::fieldChar(s, field);
                Nmea::truncated(Nmea::fieldValue(s, field));
                Nmea::coordinateText(s, field);
            }
        }
        if (pending.size() > Nmea::maxPendingBytes)
            __builtin_trap();
    }
    return 0;
}
