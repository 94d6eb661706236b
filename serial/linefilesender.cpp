#include "serial/linefilesender.h"

#include <QIODevice>

#include "app/pickedfile.h"

namespace {
// One line is read at most this long, so a file without line feeds still goes in pieces.
constexpr qint64 maxLine = 4096;
// A tick waits while the device holds more than this of earlier lines unwritten.
constexpr qint64 maxBacklog = 4096;
} // namespace

LineFileSender::LineFileSender(QObject* parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LineFileSender::tick);
}

bool LineFileSender::start(const QString& path, QIODevice* device, int intervalMs)
{
    stop();
    m_file.setFileName(path);
    if (!PickedFile::open(m_file, QIODevice::ReadOnly, &m_error))
        return false;
    m_device = device;
    m_sent = 0;
    m_timer.start(intervalMs);
    return true;
}

void LineFileSender::stop()
{
    m_timer.stop();
    if (m_file.isOpen())
        m_file.close();
}

void LineFileSender::tick()
{
    if (!m_device || !m_device->isOpen()) {
        finish(false, tr("the port was closed"));
        return;
    }
    if (m_device->bytesToWrite() > maxBacklog)
        return;
    if (m_file.atEnd()) {
        finish(true, QString());
        return;
    }
    const QByteArray line = m_file.readLine(maxLine);
    if (line.isEmpty() && m_file.error() != QFileDevice::NoError) {
        finish(false, m_file.errorString());
        return;
    }
    if (m_device->write(line) != line.size()) {
        finish(false, m_device->errorString());
        return;
    }
    m_sent += line.size();
}

void LineFileSender::finish(bool ok, const QString& error)
{
    stop();
    emit finished(ok, error);
}
