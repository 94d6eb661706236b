#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair: the test holds the master end and plays the device;
// the program opens slavePath() as its serial port.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Writes to the device side; returns bytes written.
    qint64 write(const QByteArray& data);
    // Closes the device side, as when a device is unplugged.
    void hangUp();
    // Reads what the program sent, waiting up to timeoutMs for at least `atLeast` bytes.
    QByteArray read(int atLeast = 1, int timeoutMs = 2000);

private:
    int m_master = -1;
    int m_slaveKeeper = -1; // keeps the slave side alive between openings
    QString m_slavePath;
};
