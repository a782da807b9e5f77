#include "crashdump.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

// Everything the handler needs is prepared by install(): the handler itself
// only uses async-signal-safe calls (time, open, write, close, signal, raise,
// sigaction, alarm, pthread_sigmask) and backtrace, which is loaded beforehand
// so it does not allocate.

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
const int kMaxFrames = 128;
// Time the dump may take; then the process ends with what it holds so far.
const unsigned kDumpSeconds = 5;

// Offset of local time from UTC in seconds, kept up to date by a timer of the
// main thread: the handler cannot ask the time zone database.
volatile sig_atomic_t utcOffset = 0;

void takeUtcOffset()
{
    utcOffset = QDateTime::currentDateTime().offsetFromUtc();
}

const char *signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    }
    return "?";
}

// Writes value in decimal, at least `width` digits, at out; returns the end.
char *putDecimal(char *out, unsigned long value, int width)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (n < width)
        digits[n++] = '0';
    while (n)
        *out++ = digits[--n];
    return out;
}

char *putSigned(char *out, long value)
{
    if (value < 0) {
        *out++ = '-';
        return putDecimal(out, 0UL - static_cast<unsigned long>(value), 1);
    }
    return putDecimal(out, static_cast<unsigned long>(value), 1);
}

char *putHex(char *out, unsigned long value)
{
    *out++ = '0';
    *out++ = 'x';
    char digits[24];
    int n = 0;
    do {
        digits[n++] = "0123456789abcdef"[value % 16];
        value /= 16;
    } while (value);
    while (n)
        *out++ = digits[--n];
    return out;
}

char *putText(char *out, const char *text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void civilDate(long days, long *year, unsigned *month, unsigned *day)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = unsigned(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = long(yearOfEra) + era * 400 + (*month <= 2 ? 1 : 0);
}

// "yyyyMMddhhmmss.dmp" of the local time now.
void dumpName(char *out)
{
    const long local = long(time(nullptr)) + utcOffset;
    long days = local / 86400;
    long seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    long year;
    unsigned month, day;
    civilDate(days, &year, &month, &day);
    out = putDecimal(out, static_cast<unsigned long>(year), 4);
    out = putDecimal(out, month, 2);
    out = putDecimal(out, day, 2);
    out = putDecimal(out, static_cast<unsigned long>(seconds / 3600), 2);
    out = putDecimal(out, static_cast<unsigned long>(seconds / 60 % 60), 2);
    out = putDecimal(out, static_cast<unsigned long>(seconds % 60), 2);
    out = putText(out, ".dmp");
    *out = '\0';
}

void writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written <= 0)
            return;
        data += written;
        size -= size_t(written);
    }
}

// The fault being reported, for the watchdog below.
volatile sig_atomic_t faultSignal = 0;

// Ends the process with the fault's default action when writing the dump
// hangs (the backtrace and the symbol lookup may wait for the dynamic
// loader's lock, which another thread may hold for good).
void onDumpTimeout(int)
{
    const int signal = faultSignal;
    ::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
}

// Whether the signal came from a process (kill, raise, abort) rather than
// from a fault, and so carries the sender's pid in place of an address.
bool isSent(const siginfo_t *info)
{
    return info->si_code == SI_USER || info->si_code == SI_QUEUE || info->si_code == SI_TKILL;
}

void onFault(int signal, siginfo_t *info, void *)
{
    faultSignal = signal;
    struct sigaction watchdog {};
    watchdog.sa_handler = onDumpTimeout;
    sigemptyset(&watchdog.sa_mask);
    sigaction(SIGALRM, &watchdog, nullptr);
    alarm(kDumpSeconds);

    char name[32];
    dumpName(name);
    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        char text[160];
        char *end = putText(text, "Signal: ");
        end = putDecimal(end, unsigned(signal), 1);
        end = putText(end, " (");
        end = putText(end, signalName(signal));
        end = putText(end, ")\n");
        if (info) {
            end = putText(end, "Code: ");
            end = putSigned(end, info->si_code);
            if (isSent(info)) {
                end = putText(end, ", sent by pid ");
                end = putSigned(end, info->si_pid);
            } else if (info->si_code > 0) {
                end = putText(end, "\nAddress: ");
                end = putHex(end, reinterpret_cast<unsigned long>(info->si_addr));
            }
            end = putText(end, "\n");
        }
        end = putText(end, "Backtrace:\n");
        writeAll(fd, text, size_t(end - text));
        void *frames[kMaxFrames];
        backtrace_symbols_fd(frames, backtrace(frames, kMaxFrames), fd);
        close(fd);
    }
    alarm(0);
    // The default action, as if no handler had been there.
    ::signal(signal, SIG_DFL);
    raise(signal);
}

} // namespace

void CrashDump::install()
{
    takeUtcOffset();
    if (QCoreApplication::instance()) { // across changes of daylight-saving time
        auto *timer = new QTimer(QCoreApplication::instance());
        QObject::connect(timer, &QTimer::timeout, &takeUtcOffset);
        timer->start(60 * 1000);
    }

    // The first backtrace loads the unwinder; do it now, not in the handler.
    void *frames[1];
    backtrace(frames, 1);

    // A stack of its own, so that a stack overflow can still be reported.
    static char *alternateStack = static_cast<char *>(malloc(SIGSTKSZ * 4));
    if (alternateStack) {
        stack_t stack {};
        stack.ss_sp = alternateStack;
        stack.ss_size = SIGSTKSZ * 4;
        sigaltstack(&stack, nullptr);
    }

    struct sigaction action {};
    action.sa_sigaction = onFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}
