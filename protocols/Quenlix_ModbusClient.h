#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>

// Framing of a Modbus request or reply: RTU on a serial line, or TCP with an MBAP
// header. Any value other than RTU counts as TCP (so every int is a valid value).
enum Quenlix_ModBus_Mode : int { Quenlix_ModBus_RTU = 0, Quenlix_ModBus_TCP = 1 };

// Modbus master frame engine: builds one request frame and checks and decodes one
// reply. It does no I/O. Problems are reported through errorOccurred() and an empty
// (builder) or invalid (parser) result.
class Quenlix_ModbusClient : public QObject
{
    Q_OBJECT
public:
    // Any int may arrive here (an unknown code is refused), hence the fixed underlying type.
    enum FunctionCode : int {
        ReadCoils = 1,
        ReadDiscreteInputs = 2,
        ReadHoldingRegisters = 3,
        ReadInputRegisters = 4,
        WriteSingleCoil = 5,
        WriteSingleRegister = 6,
        WriteMultipleCoils = 15,
        WriteMultipleRegisters = 16,
        // Framed like 15/16 with a register count (bytes / 2) in place of the byte count.
        Function22 = 22,
    };
    Q_ENUM(FunctionCode)

    explicit Quenlix_ModbusClient(QObject* parent = nullptr);
    ~Quenlix_ModbusClient() override;

    // A request frame; empty (and errorOccurred) for an unknown function code. Every
    // TCP request, refused or not, takes the next process-wide transaction id.
    QByteArray generateRequest(int slaveId, FunctionCode functionCode, int startAddress, int quantity,
                               Quenlix_ModBus_Mode mode, QByteArray data);
    // QList<bool> for 1/2, QList<unsigned short> for 3/4/22, a QVariantMap with
    // "StartAddress" and "Quantity" for 5/6/15/16; invalid on any failure.
    QVariant parseResponse(FunctionCode functionCode, const QByteArray& response, Quenlix_ModBus_Mode mode);
    // Modbus CRC-16 (reflected 0x8005, initial 0xFFFF); sent low byte first.
    static quint16 calculateCRC(const QByteArray& data);

signals:
    void errorOccurred(QString message);

private:
    QVariant fail(const char* message);
};
