#include "serial/threadserial.h"

#include <QSerialPort>

ThreadSerial::ThreadSerial(QThread*) : QThread(nullptr) {}

ThreadSerial::~ThreadSerial()
{
    // The thread does nothing, but it must have finished before the object goes.
    if (isRunning()) {
        quit();
        wait();
    }
    delete serialPort;
}

void ThreadSerial::Init(bool emitReceived)
{
    serialPort = new QSerialPort;
    serialPort->setPortName(portName);
    serialPort->setBaudRate(baud, QSerialPort::AllDirections);
    serialPort->setDataBits(QSerialPort::DataBits(dataBits));
    switch (parityIndex) {
    case 1:
        serialPort->setParity(QSerialPort::OddParity);
        break;
    case 2:
        serialPort->setParity(QSerialPort::EvenParity);
        break;
    case 3:
        serialPort->setParity(QSerialPort::MarkParity);
        break;
    case 4:
        serialPort->setParity(QSerialPort::SpaceParity);
        break;
    default:
        serialPort->setParity(QSerialPort::NoParity);
        break;
    }
    if (stopBitsIndex == 2)
        serialPort->setStopBits(QSerialPort::TwoStop);
    else if (stopBitsIndex != 1)
        serialPort->setStopBits(QSerialPort::OneStop);
    serialPort->setFlowControl(QSerialPort::NoFlowControl);
    if (!serialPort->open(QIODevice::ReadWrite)) {
        isOpen = false;
        return;
    }
    isOpen = true;
    if (emitReceived)
        connect(serialPort, &QSerialPort::readyRead, this, &ThreadSerial::readData);
}

void ThreadSerial::readData()
{
    const QByteArray data = serialPort->readAll();
    if (!data.isEmpty())
        emit Serial_read_Data(data);
}
