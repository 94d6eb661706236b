// The page the update check downloads.
#include "app/check_update.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const auto version = UpdateCheck::parseVersionPage(QString::fromUtf8(bytesOf(data, size))))
        UpdateCheck::isNewer(*version, UpdateCheck::currentVersion());
    return 0;
}
