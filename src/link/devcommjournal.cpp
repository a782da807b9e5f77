// What DevComm tells the journal about the link: the causes that keep the UPS
// from being watched, each when it begins and when it ends, and the moments
// the UPS starts and stops answering. Only the service writes them: the
// desktop program shows the link in its window and its alarm list.
#include "devcomm.h"

#include "devcomm_p.h"

#include <QDebug>

#ifdef AMBREL_SERVICE
namespace {

// How far the link has got: a cause ends when the link gets further.
int progress(DevCommPrivate::Told state)
{
    switch (state) {
    case DevCommPrivate::Told::Nothing: return 0;
    case DevCommPrivate::Told::Closed: return 1;
    case DevCommPrivate::Told::Opened:
    case DevCommPrivate::Told::Silent: return 2;
    case DevCommPrivate::Told::Answering: return 3;
    }
    return 0;
}

} // namespace
#endif

void DevCommPrivate::tell(Told state, const QString &line, const QString &endLine)
{
    if (state == told && line == toldLine)
        return;
#ifdef AMBREL_SERVICE
    if (progress(state) > progress(told) && !toldEndLine.isEmpty())
        qInfo().noquote() << toldEndLine;
    if (state == Told::Answering)
        qInfo("The UPS answers.");
    else if (!line.isEmpty())
        qWarning().noquote() << line;
#endif
    told = state;
    toldLine = line;
    toldEndLine = endLine;
}

void DevCommPrivate::tellSettings(const QString &problems)
{
    if (problems == toldSettings)
        return;
#ifdef AMBREL_SERVICE
    if (problems.isEmpty())
        qInfo("The UPS link settings can be used again.");
    else
        qWarning().noquote() << problems;
#endif
    toldSettings = problems;
}

void DevCommPrivate::forgetTold()
{
    told = Told::Nothing;
    toldLine.clear();
    toldEndLine.clear();
}
