#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

// Header only: while it lives, no file of this test process can grow past
// a size; a write past it fails as on a full disk (the signal the kernel
// would send for it is ignored meanwhile). Both are put back at the end.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_previous) == 0;
        if (m_active) {
            rlimit limit = m_previous;
            limit.rlim_cur = bytes;
            m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_signal)(int) = SIG_DFL;
    bool m_active = false;
};

#endif // FILESIZELIMIT_H
