#include "serial/threadserial.h"

#include <QPointer>
#include <QSerialPort>

#include <poll.h>

#include <cerrno>
#include <cstring>

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
    connect(serialPort, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onError(e); });
    if (emitReceived)
        connect(serialPort, &QSerialPort::readyRead, this, &ThreadSerial::readData);
}

// A receiver that runs the event loop (the GPS tab does) lets more bytes arrive
// meanwhile, and the port announces them with no second readyRead: read on until
// nothing is left, or the last bytes of a stream would wait for the next ones.
void ThreadSerial::readData()
{
    const QPointer<ThreadSerial> self(this);
    while (self && readEnabled && serialPort && serialPort->isOpen() && serialPort->bytesAvailable() > 0)
        emit Serial_read_Data(serialPort->readAll());
}

// A vanished device makes the port report a read error on every event-loop pass
// while it stays "open": close it at the first fatal error and report that once.
void ThreadSerial::onError(int error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::UnsupportedOperationError:
        return;
    default:
        break;
    }
    if (!serialPort || !serialPort->isOpen())
        return;
    const QString text = failureReason();
    serialPort->close();
    emit portFailed(text);
}

// The port's own text is not the reason when a read met the end of the stream: it names
// whatever call failed last. A terminal that hung up (a device unplugged) refuses writes
// with an I/O error, the reason the system gives for it; other failures keep the port's text.
QString ThreadSerial::failureReason() const
{
    pollfd device{int(serialPort->handle()), POLLIN, 0};
    if (::poll(&device, 1, 0) == 1 && (device.revents & (POLLHUP | POLLNVAL)))
        return QString::fromLocal8Bit(std::strerror(EIO));
    return serialPort->errorString();
}
