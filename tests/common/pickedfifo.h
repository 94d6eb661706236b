#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

// A FIFO a user might pick as a file. Opening it for reading waits for a writer: from
// `releaseAfterMs` on a writer comes and goes, so a program stuck on it is released and the
// test fails on the time taken instead of hanging.
class PickedFifo
{
public:
    explicit PickedFifo(int releaseAfterMs = 1500)
        : m_path(m_dir.filePath(QStringLiteral("picked.fifo"))),
          m_valid(::mkfifo(QFile::encodeName(m_path).constData(), 0600) == 0),
          m_writer([this, releaseAfterMs] {
              const auto release =
                  std::chrono::steady_clock::now() + std::chrono::milliseconds(releaseAfterMs);
              while (!m_stop) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
                  if (std::chrono::steady_clock::now() < release)
                      continue;
                  const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      ::close(fd);
              }
          })
    {
    }
    ~PickedFifo()
    {
        m_stop = true;
        m_writer.join();
    }
    PickedFifo(const PickedFifo&) = delete;
    PickedFifo& operator=(const PickedFifo&) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_valid;
    std::atomic<bool> m_stop{false};
    std::thread m_writer;
};
