#include "tests/common/ptypair.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

void makeRaw(int fd)
{
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
}

} // namespace

PtyPair::PtyPair()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master >= 0 && (grantpt(m_master) != 0 || unlockpt(m_master) != 0))
        hangUp();
    if (m_master < 0)
        return;
    makeRaw(m_master);
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    // Raw mode on the slave too, and keep one handle so the master sees no hang-up
    // while the program closes and reopens the port.
    m_slaveKeeper = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    if (m_slaveKeeper >= 0)
        makeRaw(m_slaveKeeper);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    hangUp();
}

void PtyPair::hangUp()
{
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeeper = m_master = -1;
}

qint64 PtyPair::write(const QByteArray& data)
{
    qint64 done = 0;
    QDeadlineTimer deadline(2000);
    while (done < data.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(m_master, data.constData() + done, size_t(data.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        else
            usleep(1000);
    }
    return done;
}

QByteArray PtyPair::read(int atLeast, int timeoutMs)
{
    QByteArray result;
    QDeadlineTimer deadline(timeoutMs);
    while (result.size() < atLeast && !deadline.hasExpired()) {
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, 20) > 0 && (pfd.revents & POLLIN)) {
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                result.append(buf, int(n));
        }
    }
    return result;
}
