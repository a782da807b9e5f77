#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

// Header only: while it lives, a file of this test process cannot grow past
// `bytes`, and a write past that fails as on a full disk (the kernel's
// signal for it is ignored meanwhile).

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_signal(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit{bytes, m_previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    void (*m_signal)(int);
    rlimit m_previous{};
};

#endif // FILESIZELIMIT_H
