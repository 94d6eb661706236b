#pragma once

#include <QByteArray>

#include <cstring>

// A device playing the far end of a link: what the program writes is dropped, what the
// harness delivers is read. `Device` is QIODevice or a subclass the code under test expects.
template <typename Device> class FedDevice : public Device
{
public:
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_incoming.size() + Device::bytesAvailable(); }
    void deliver(const QByteArray& bytes)
    {
        m_incoming += bytes;
        emit this->readyRead();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = qMin<qint64>(maxSize, m_incoming.size());
        std::memcpy(data, m_incoming.constData(), size_t(n));
        m_incoming.remove(0, n);
        return n;
    }
    qint64 writeData(const char*, qint64 size) override { return size; }

private:
    QByteArray m_incoming;
};
