// The GSM console's verdicts on what the modem sent: final results, errors, failed dials,
// unsolicited lines and their beginnings, over a whole read and over each line of it.
#include "fuzz/fuzzinput.h"
#include "gsm/atreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray read = bytesOf(data, size);
    AtReply::endsWithFinalResult(read);
    AtReply::isError(read);
    AtReply::isFailedAttempt(read);
    for (const QByteArray& line : read.split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
        // A complete unsolicited line is also a possible start of one.
        if (AtReply::isUnsolicitedLine(bare) && !AtReply::mayBeUnsolicited(bare))
            __builtin_trap();
        for (qsizetype n = 0; n <= bare.size() && n < 64; ++n)
            AtReply::mayBeUnsolicited(bare.left(n));
    }
    return 0;
}
