#include "journallog.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace {

char priority(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return '7';
    case QtInfoMsg: return '6';
    case QtWarningMsg: return '4';
    case QtCriticalMsg: return '3';
    case QtFatalMsg: return '2';
    }
    return '5';
}

// Every line of a message carries the priority, in one write, so that lines
// of other threads do not come between.
void writeToJournal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray prefix = QByteArray("<") + priority(type) + '>';
    QByteArray text = prefix + qFormatLogMessage(type, context, message).toLocal8Bit();
    text.replace('\n', '\n' + prefix);
    text += '\n';
    for (int done = 0; done < text.size();) {
        const ssize_t n = ::write(STDERR_FILENO, text.constData() + done, size_t(text.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
}

} // namespace

void JournalLog::installIfJournal()
{
    // "<device>:<inode>" of the journal's stream, which is stderr only while
    // no one has redirected it.
    const QByteArray stream = qgetenv("JOURNAL_STREAM");
    struct stat err;
    if (stream.isEmpty() || ::fstat(STDERR_FILENO, &err) != 0)
        return;
    if (stream == QByteArray::number(quint64(err.st_dev)) + ':' + QByteArray::number(quint64(err.st_ino)))
        qInstallMessageHandler(writeToJournal);
}
