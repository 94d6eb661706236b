// Replies from a Modbus slave: the first byte picks the function code and the framing.
#include "fuzz/fuzzinput.h"
#include "protocols/Quenlix_ModbusClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    using F = Quenlix_ModbusClient::FunctionCode;
    static const F codes[] = {F::ReadCoils,          F::ReadDiscreteInputs,     F::ReadHoldingRegisters,
                              F::ReadInputRegisters, F::WriteSingleCoil,        F::WriteSingleRegister,
                              F::WriteMultipleCoils, F::WriteMultipleRegisters, F::Function22};
    const F code = codes[(data[0] & 0x7F) % std::size(codes)];
    const Quenlix_ModBus_Mode mode = data[0] & 0x80 ? Quenlix_ModBus_TCP : Quenlix_ModBus_RTU;
    Quenlix_ModbusClient client;
    const QByteArray reply = bytesOf(data + 1, size - 1);
    client.parseResponse(code, reply, mode);
    client.calculateCRC(reply);
    return 0;
}
