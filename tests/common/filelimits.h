#pragma once

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>

// Lets a test play a disk that refuses bytes: files this process writes cannot grow past
// `bytes` while the object lives (the write fails with EFBIG instead of raising SIGXFSZ).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// Tests run as root in CI, and root writes read-only files: while this object lives the
// calling thread obeys file modes as any user does (the override is dropped from the
// effective capabilities only, so it can be taken back).
class ObeyFileModes
{
public:
    ObeyFileModes() { set(false); }
    ~ObeyFileModes() { set(true); }
    ObeyFileModes(const ObeyFileModes&) = delete;
    ObeyFileModes& operator=(const ObeyFileModes&) = delete;

private:
    static void set(bool overriding)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            const unsigned bit = 1u << (cap % 32);
            if (overriding)
                data[cap / 32].effective |= data[cap / 32].permitted & bit;
            else
                data[cap / 32].effective &= ~bit;
        }
        syscall(SYS_capset, &header, data);
    }
};
