// The daily exchange-rate document as the converter downloads it.
#include "fuzz/fuzzinput.h"
#include "tools/convert_exchangerates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ExchangeRates::Document document = ExchangeRates::parseDocument(bytesOf(data, size));
    for (auto it = document.rates.cbegin(); it != document.rates.cend(); ++it) {
        if (!ExchangeRates::isValidCode(it.key()) || !ExchangeRates::isValidRate(it.value()))
            __builtin_trap();
    }
    return 0;
}
