#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

class QSerialPort;

// The one serial-port worker. The port and the read slot live on the GUI thread;
// the thread itself does no work. A worker serves one opening of the port.
class ThreadSerial : public QThread
{
    Q_OBJECT
public:
    explicit ThreadSerial(QThread* parent = nullptr);
    ~ThreadSerial() override;

    // Makes, configures and opens the port; with true, received bytes are emitted.
    void Init(bool emitReceived);
    void setDTR(bool) {}
    void setRTS(bool) {}

    QString portName;
    QSerialPort* serialPort = nullptr;
    int baud = 0;
    int dataBits = 0;
    int parityIndex = 0;
    int stopBitsIndex = 0;
    bool isOpen = false;
    // While clear, received bytes stay in the port for a caller that reads it itself.
    bool readEnabled = true;

signals:
    void Serial_read_Data(QByteArray data);
    // The open port failed for good (for example the device was unplugged). The
    // port is already closed when this is emitted, and it is emitted only once.
    void portFailed(const QString& errorText);

public slots:
    void readData();

protected:
    void run() override {}

private:
    void onError(int error);
    QString failureReason() const;
};
