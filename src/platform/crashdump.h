#ifndef CRASHDUMP_H
#define CRASHDUMP_H

// Leaves a trace of a crash: when the process dies of a fault (a bad memory
// access, a bus error, an arithmetic fault, an illegal instruction or an
// abort), a file "yyyyMMddhhmmss.dmp" (local time) is written in the working
// directory, replacing a file of that name. It holds the signal, its code,
// the faulting address (or, for a signal sent by a process, the sender's pid)
// and the backtrace of the crashing thread. The process then ends as it would
// have without the handler (core dump included), also when writing the dump
// hangs: after a few seconds it ends with what the dump holds by then.
class CrashDump
{
public:
    // Installs the handlers; call once, early, on the main thread.
    static void install();
};

#endif // CRASHDUMP_H
