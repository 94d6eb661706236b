#include "gps/gpssignal.h"

#include <QMutexLocker>

namespace {
constexpr unsigned long pollMs = 100;
}

GPS_Signal::GPS_Signal(QObject* parent) : QThread(parent)
{
    qRegisterMetaType<nmea_slmsg*>("nmea_slmsg*");
}

GPS_Signal::~GPS_Signal()
{
    stop();
    wait();
}

void GPS_Signal::stop()
{
    QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_changed.wakeAll();
}

int GPS_Signal::queueSize() const
{
    QMutexLocker lock(&m_mutex);
    return m_queue.size();
}

bool GPS_Signal::isWaiting() const
{
    QMutexLocker lock(&m_mutex);
    return m_wait;
}

double GPS_Signal::GPS_calculation_value_double(const char* sentence, int field)
{
    return Nmea::fieldValue(sentence, field);
}

void GPS_Signal::Get_Data(char* sentence)
{
    const QString text = sentence ? QString::fromUtf8(sentence) : QString();
    QMutexLocker lock(&m_mutex);
    if (m_queue.size() >= hardCap)
        m_queue.clear();
    m_queue.append({text});
    m_changed.wakeAll();
}

void GPS_Signal::Wait_Data(bool wait)
{
    QMutexLocker lock(&m_mutex);
    m_wait = wait;
    m_changed.wakeAll();
}

void GPS_Signal::run()
{
    QMutexLocker lock(&m_mutex);
    while (!m_stop) {
        if (m_queue.size() < 2) {
            m_changed.wait(&m_mutex, pollMs);
        } else if (!m_wait) {
            const QByteArray sentence = m_queue.takeFirst().sentence.toLocal8Bit();
            m_records = Nmea::decodeGsvSatellites(sentence.constData());
            m_wait = true;
            lock.unlock();
            emit ReturnResult(m_records.data());
            lock.relock();
        } else if (m_queue.size() < dropAt) {
            m_changed.wait(&m_mutex, pollMs);
        } else {
            m_queue.clear();
        }
    }
}
