#include "pendingupsoff.h"

#include "link/devcomm.h"
#include "platform/ownedfile.h"
#include "platform/platform.h"
#include "platform/processinfo.h"
#include "records/clock.h"
#include "records/settings.h"

#include <QFile>
#include <QList>
#include <QStandardPaths>

namespace {
// Bit 6 of the UPS status: the UPS will switch its output off.
const quint8 kShutdownActive = 0x40;
// UPS records after a queued cancel by which the UPS has surely received it:
// the first may answer a poll sent before the cancel.
const int kCancelConfirmations = 2;
// A marker holds a time and a word: anything larger is none.
const qint64 kMaxMarkerSize = 256;
const char kMarker[] = "/data/upsoff.pending";
const char kPlanned[] = "planned";
// Of the other program: where its data folder is in a data home, and its name.
#ifdef AMBREL_SERVICE
const char kOtherFolder[] = "/Ambrel";
const char kOther[] = "the desktop program";
#else
const char kOtherFolder[] = "/ambrelsvc";
const char kOther[] = "the service";
#endif
// The data homes of the other program's users that are looked at.
const int kMaxOtherHomes = 8;

struct Marker
{
    QString path;
    QString owner;
    const char *whose;
    PendingUpsOff::Kind kind = PendingUpsOff::Protection;
};
} // namespace

class PendingUpsOffPrivate
{
public:
    static QString ownPath() { return Settings::instance()->dataDir() + QLatin1String(kMarker); }
    // Reads a marker and what it says; Refused logs what lies there instead
    // of one.
    static OwnedFile::Status read(Marker *marker);
    void writeMarker(PendingUpsOff::Kind kind);
    void cancel();
    void disarmed();
    void atLinkUp(bool ownShutdownUnderway);

    DevComm *link;
    bool linkUp = false;
    // This run's switch-off, and what sent it.
    bool sentHere = false;
    PendingUpsOff::Kind sentKind = PendingUpsOff::Protection;
    // The marker of an earlier run, until it is settled.
    bool earlier = false;
    PendingUpsOff::Kind earlierKind = PendingUpsOff::Protection;
    int confirmations = 0;
    QList<Marker> others;
};

OwnedFile::Status PendingUpsOffPrivate::read(Marker *marker)
{
    QByteArray content;
    QString why;
    const OwnedFile::Status status = OwnedFile::read(marker->path, marker->owner, kMaxMarkerSize, &content, &why);
    if (status == OwnedFile::Refused)
        qWarning("The marker %s of %s is not read: it is %s.", qPrintable(marker->path), marker->whose,
                 qPrintable(why));
    const QList<QByteArray> words = content.split('\n').value(0).simplified().split(' ');
    marker->kind = words.value(1) == kPlanned ? PendingUpsOff::Planned : PendingUpsOff::Protection;
    return status;
}

void PendingUpsOffPrivate::writeMarker(PendingUpsOff::Kind kind)
{
    QFile marker(ownPath());
    const QByteArray line = Clock::now().toString(Qt::ISODate).toLatin1() + ' '
        + (kind == PendingUpsOff::Planned ? QByteArray(kPlanned) : QByteArrayLiteral("protection")) + '\n';
    if (!marker.open(QIODevice::WriteOnly | QIODevice::Truncate) || marker.write(line) < 0)
        qWarning("%s cannot be written: should this program end before the UPS switches off, the program that "
                 "gets the UPS next learns of the switch-off only from the UPS.",
                 qPrintable(marker.fileName()));
}

void PendingUpsOffPrivate::cancel()
{
    link->setShutdown(false, 0);
    if (sentHere || earlier)
        confirmations = kCancelConfirmations;
}

void PendingUpsOffPrivate::disarmed()
{
    sentHere = false;
    earlier = false;
    confirmations = 0;
    QFile::remove(ownPath());
}

void PendingUpsOffPrivate::atLinkUp(bool ownShutdownUnderway)
{
    // This run's own switch-off is the one the UPS holds.
    if (sentHere)
        return;
    const bool active = link->upsData()->status & kShutdownActive;
    // A planned switch-off of an earlier run that the UPS no longer holds is over.
    if (earlier && earlierKind == PendingUpsOff::Planned && !active) {
        earlier = false;
        QFile::remove(ownPath());
    }
    // The other program's markers, a protection one first.
    const Marker *protection = nullptr;
    const Marker *planned = nullptr;
    for (Marker &other : others) {
        if (read(&other) != OwnedFile::Read)
            continue;
        const Marker *&first = other.kind == PendingUpsOff::Protection ? protection : planned;
        first = first ? first : &other;
    }
    const bool ownProtection = earlier && earlierKind == PendingUpsOff::Protection;
    const bool ownPlanned = earlier && earlierKind == PendingUpsOff::Planned;
    if (!ownProtection && !protection && !(active && !planned && !ownPlanned)) {
        if (active)
            qInfo("The UPS will switch its output off, as a planned power-off (%s) asked: it is left to do so.",
                  planned ? qPrintable(planned->path) : "of this program");
        return;
    }
    if (ownShutdownUnderway) {
        qInfo("The UPS may be set to switch its output off, and this program's shutdown is under way: it keeps "
              "its switch-off.");
        return;
    }
    if (Platform::instance()->isShuttingDown()) {
        qInfo("The UPS may be set to switch its output off, and the operating system is going down: it keeps "
              "its switch-off.");
        return;
    }
    if (ownProtection)
        qInfo("The UPS may still be set to switch off by an earlier run: it is told to cancel.");
    else if (protection)
        qInfo("The UPS may still be set to switch off by %s (%s): it is told to cancel.", protection->whose,
              qPrintable(protection->path));
    else
        qInfo("The UPS reports that it will switch its output off: it is told to cancel.");
    cancel();
}

PendingUpsOff::PendingUpsOff(DevComm *link)
    : d(new PendingUpsOffPrivate)
{
    d->link = link;
#ifndef AMBREL_SERVICE
    // A service that runs under this user's own account keeps its data in
    // this user's data home (that of the system account keeps it where only
    // root may look).
    addOtherDataHome(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), ProcessInfo::userId());
#endif
}

PendingUpsOff::~PendingUpsOff()
{
    delete d;
}

void PendingUpsOff::load()
{
    Marker own{PendingUpsOffPrivate::ownPath(), ProcessInfo::userId(), "this program"};
    // Something else in the marker's place says as much as a marker.
    d->earlier = PendingUpsOffPrivate::read(&own) != OwnedFile::Absent;
    d->earlierKind = own.kind;
}

void PendingUpsOff::addOtherDataHome(const QString &dataHome, const QString &owner)
{
    const QString path = dataHome + QLatin1String(kOtherFolder) + QLatin1String(kMarker);
    for (const Marker &other : qAsConst(d->others)) {
        if (other.path == path && other.owner == owner)
            return;
    }
    if (d->others.size() >= kMaxOtherHomes)
        d->others.removeFirst();
    d->others.append({path, owner, kOther});
}

void PendingUpsOff::switchOff(int minutes, Kind kind)
{
    d->link->setShutdown(true, minutes);
    // This run's command takes the place of whatever an earlier one left.
    d->earlier = false;
    d->confirmations = 0;
    if (d->sentHere && d->sentKind == kind)
        return;
    d->sentHere = true;
    d->sentKind = kind;
    d->writeMarker(kind);
}

void PendingUpsOff::cancel()
{
    d->cancel();
}

void PendingUpsOff::recordSeen(bool online, bool ownShutdownUnderway)
{
    if (!online) {
        d->linkUp = false;
        return;
    }
    const bool cameUp = !d->linkUp;
    d->linkUp = true;
    if (d->confirmations > 0 && --d->confirmations == 0)
        d->disarmed();
    if (cameUp)
        d->atLinkUp(ownShutdownUnderway);
}

bool PendingUpsOff::sentHere() const
{
    return d->sentHere;
}

bool PendingUpsOff::mayBePending() const
{
    return d->sentHere || d->earlier;
}

void PendingUpsOff::cancelAtStop(bool shutdownAccepted)
{
    // Only a cancel the UPS has answered settles anything: otherwise the
    // program that gets the UPS next learns from the marker what is left.
    if (shutdownAccepted) {
        qInfo("The operating system is shutting down at this program's request: the UPS keeps its switch-off.");
        return;
    }
    if (Platform::instance()->isShuttingDown()) {
        qInfo("The operating system is shutting down: the UPS keeps its switch-off.");
        return;
    }
    switch (d->link->cancelShutdownNow()) {
    case DevComm::Cancel::Answered:
        qInfo("The program stops: the UPS has been told to cancel its switch-off.");
        d->disarmed();
        return;
    case DevComm::Cancel::Sent:
        if (mayBePending())
            qWarning("The program stops: the UPS has been sent the cancel of its switch-off but has not answered, "
                     "so it may still cut the power of this computer; the program that gets the UPS next cancels "
                     "again.");
        return;
    case DevComm::Cancel::NotSent:
        // Without a switch-off of ours the UPS has nothing to cancel.
        if (mayBePending())
            qWarning("The program stops, and the UPS could not be told to cancel its switch-off: it may cut the "
                     "power of this computer.");
        return;
    }
}
