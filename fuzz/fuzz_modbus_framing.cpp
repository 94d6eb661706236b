// A Modbus reply arriving in pieces, as the console frames it: the first byte picks the
// mode and the request it answers; each piece grows the frame until its length is known.
#include "fuzz/fuzzinput.h"
#include "protocols/modbusconsole.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool tcp = data[0] & 0x80;
    const Quenlix_ModBus_Mode mode = tcp ? Quenlix_ModBus_TCP : Quenlix_ModBus_RTU;
    const auto code = ModbusConsole::functionForIndex(data[0] & 0x0F);
    // Read holding registers 0..1 of unit 1, with transaction id 1 over TCP.
    const QByteArray request =
        tcp ? QByteArray::fromHex("000100000006010300000002") : QByteArray::fromHex("010300000002c40b");
    Quenlix_ModbusClient engine;
    QByteArray frame;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        frame += chunk;
        if (frame.size() > ModbusConsole::maxReplyBytes)
            frame.truncate(ModbusConsole::maxReplyBytes);
        const int length = ModbusConsole::replyLength(frame, mode);
        if (length < 0)
            __builtin_trap();
        if (length == 0 || length > frame.size())
            continue;
        const QByteArray reply = frame.left(length);
        if (ModbusConsole::notTheReply({request}, reply, mode).isEmpty())
            ModbusConsole::refusal(engine, code, request, reply, mode);
        ModbusConsole::frameHex(reply);
        frame.remove(0, length);
    }
    return 0;
}
