// Frames from the I2C adapter, cut out of a stream that arrives in pieces.
#include "fuzz/fuzzinput.h"
#include "sensors/i2cframe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    I2cFrameReceiver receiver;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        for (const I2cFrameReceiver::Frame& frame : receiver.feed(chunk)) {
            if (frame.payload.size() > 0xFFFF)
                __builtin_trap();
        }
        if (receiver.pending().size() >= I2cFrame::adapterFrameSize)
            __builtin_trap();
    }
    QByteArray bytes;
    I2cFrame::parseByteList(QString::fromLatin1(bytesOf(data, size)), &bytes);
    return 0;
}
