#include "serialline.h"

#include <QElapsedTimer>
#include <QThread>

#include <sys/ioctl.h>
#include <termios.h>

namespace {
// How often the output queue is looked at while it empties.
const int kQueueCheckMs = 2;
} // namespace

bool SerialLine::drain(qintptr handle, int timeoutMs)
{
    const int fd = int(handle);
    QElapsedTimer waited;
    waited.start();
    // The driver's queue first, within the time given: a line that does not
    // send must not hold the caller up.
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0)
            return false;
        if (queued == 0)
            break;
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(kQueueCheckMs);
    }
    // Then what the hardware still holds, a few characters at most.
    return tcdrain(fd) == 0;
}
