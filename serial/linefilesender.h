#pragma once

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QIODevice;

// Sends a file to a device line by line, one line per tick, so the window stays
// responsive. The file is read in binary: its bytes go out unchanged. A tick is
// skipped while the device still holds a backlog of earlier lines.
class LineFileSender : public QObject
{
    Q_OBJECT
public:
    explicit LineFileSender(QObject* parent = nullptr);

    // Opens `path` and starts sending to `device`; false when the file cannot be opened
    // or is no regular file, with the reason in errorString().
    bool start(const QString& path, QIODevice* device, int intervalMs = 5);
    QString errorString() const { return m_error; }
    // Stops without a report (the device is going away).
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    qint64 bytesSent() const { return m_sent; }

signals:
    // Emitted once at the end: ok is false when a write failed.
    void finished(bool ok, const QString& error);

private:
    void tick();
    void finish(bool ok, const QString& error);

    QFile m_file;
    QPointer<QIODevice> m_device;
    QTimer m_timer;
    qint64 m_sent = 0;
    QString m_error;
};
