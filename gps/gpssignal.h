#pragma once

#include <QList>
#include <QMetaType>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <array>

#include "gps/nmea.h"

// One queued GSV sentence, as received.
struct gps_signal_data
{
    QString sentence;
};

// Decodes the GSV sentences handed over by the GPS tab, one sentence (four satellites)
// at a time, and waits after each result until the GUI thread has used it. While it
// waits, a queue that reaches `dropAt` sentences is emptied at once.
class GPS_Signal : public QThread
{
    Q_OBJECT
public:
    static constexpr int dropAt = 51;
    // A hard bound on the queue even if this thread gets no time at all.
    static constexpr int hardCap = 1000;

    explicit GPS_Signal(QObject* parent = nullptr);
    ~GPS_Signal() override;

    // Asks run() to return; it does so within one poll interval.
    void stop();
    int queueSize() const;
    bool isWaiting() const;
    // The four records of the last result (valid until the worker is released).
    const nmea_slmsg* records() const { return m_records.data(); }

    static double GPS_calculation_value_double(const char* sentence, int field);

public slots:
    void Get_Data(char* sentence);
    void Wait_Data(bool wait);

signals:
    void ReturnResult(nmea_slmsg* records);

protected:
    void run() override;

private:
    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    bool m_wait = false;
    QList<gps_signal_data> m_queue;
    bool m_stop = false;
    std::array<nmea_slmsg, 4> m_records{};
};

Q_DECLARE_METATYPE(nmea_slmsg*)
