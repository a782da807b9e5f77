#ifndef JOURNALLOG_H
#define JOURNALLOG_H

// The system's journal as the service's log. Under systemd a service's
// standard error stream is the journal, which takes the priority of a line
// from a "<N>" in front of it (0 to 7, as syslog numbers them) and logs a line
// without one at the level of a notice.
class JournalLog
{
public:
    // When the standard error stream is the journal (JOURNAL_STREAM names
    // it), every message of the program from now on, Qt's own too, reaches
    // it at its level: debug, info, warning, critical, fatal.
    static void installIfJournal();
};

#endif // JOURNALLOG_H
