#ifndef LOGMESSAGEHANDLER_H
#define LOGMESSAGEHANDLER_H

#include <QString>
#include <QtGlobal>

// The message handler of the desktop program: appends every message as one
// line, ended by CR LF, to "<data directory>/log/<yyyy-MM-dd>.txt", the file
// of the day of its time stamp (Clock::now()). Lines of several threads never
// interleave; a file that cannot be opened loses the line silently.
void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

#endif // LOGMESSAGEHANDLER_H
