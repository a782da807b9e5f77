// A library that never finishes loading: its initialiser blocks for good, so
// the thread that loads it keeps the dynamic loader's lock. Before it blocks
// it writes one byte to the file descriptor named by AMBREL_LOADER_LOCK_FD,
// so that the loading program knows the lock is taken.

#include <cstdlib>
#include <unistd.h>

namespace {

__attribute__((constructor)) void holdLoaderLock()
{
    if (const char *fd = getenv("AMBREL_LOADER_LOCK_FD")) {
        const char byte = 1;
        if (write(atoi(fd), &byte, 1) != 1)
            _exit(2);
    }
    for (;;)
        pause();
}

} // namespace
