// Replies and unsolicited lines from a GSM modem, as the GSM console reads them.
#include "fuzz/fuzzinput.h"
#include "gsm/atreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray read = bytesOf(data, size);
    AtReply::holds(read, "OK\r\n");
    AtReply::clipSetting(read);
    AtReply::ringerSetting(read);
    AtReply::smsTextModeSetting(read);
    bool found = false;
    const int csq = AtReply::csqValue(read, &found);
    if (found)
        AtReply::signalPicture(csq);
    if (AtReply::isReceivedMessage(read))
        AtReply::formatMessage(AtReply::parseReceivedMessage(read));
    AtReply::fromUcs2Hex(QString::fromLatin1(read));
    AtReply::isGprsNoise(read);

    QByteArray pending;
    bool ringSeen = false;
    bool clipSeen = false;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        AtReply::readUnsolicited(pending, ringSeen, clipSeen, chunk);
        if (pending.size() > AtReply::unsolicitedBufferLimit)
            __builtin_trap();
    }
    return 0;
}
