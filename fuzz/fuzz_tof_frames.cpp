// Frame lines from a time-of-flight sensor, for every sensor type and filter choice.
#include "fuzz/fuzzinput.h"
#include "sensors/lineassembler.h"
#include "sensors/tof_frame.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int type = data[0] % 4;
    const int filterIndex = data[1] % 8;
    QList<int> pixels(TofFrame::maxZones, 0);
    std::vector<int> filterState(TofFrame::maxZones, 0);
    LineAssembler lines;
    for (const QByteArray& chunk : chunksOf(data + 1, size - 1)) {
        for (const QString& line : lines.feed(chunk)) {
            const int n = TofFrame::decode(line.toUtf8(), type, filterIndex, pixels, filterState.data());
            if (n > TofFrame::maxZones || pixels.size() != TofFrame::maxZones)
                __builtin_trap();
        }
    }
    return 0;
}
