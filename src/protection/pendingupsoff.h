#ifndef PENDINGUPSOFF_H
#define PENDINGUPSOFF_H

#include <QString>

class DevComm;
class PendingUpsOffPrivate;

// The UPS switch-off that may be pending, and who owes the UPS its cancel.
//
// A program that tells the UPS to switch its output off leaves a marker,
// "data/upsoff.pending" in its data folder, that says whether a protection
// countdown or a planned power-off sent it; the marker goes only once the
// UPS has answered after a cancel. Whichever program gets the link to the
// UPS (at its start, or when the other program lets go of it or ends)
// looks, at its first reading, at the marker of its own earlier run, at the
// other program's marker where it can read it, and at the UPS's own
// "shutdown active" status bit, and cancels what may be pending: unless the
// operating system is going down, this program's own shutdown is under
// way, or a marker says that a planned power-off sent it.
class PendingUpsOff
{
public:
    enum Kind { Protection, Planned };

    explicit PendingUpsOff(DevComm *link);
    ~PendingUpsOff();

    PendingUpsOff(const PendingUpsOff &) = delete;
    PendingUpsOff &operator=(const PendingUpsOff &) = delete;

    // Takes up the marker an earlier run left.
    void load();
    // The data home of a user of the other program (owner: that user's id),
    // where its marker may be.
    void addOtherDataHome(const QString &dataHome, const QString &owner);

    // Tells the UPS to switch its output off after the minutes given.
    void switchOff(int minutes, Kind kind);
    // Tells the UPS to cancel, ahead of the next polls.
    void cancel();
    // A record of the UPS (online), or the news that it does not answer:
    // the records after a cancel are counted, and the first one after the
    // link came up decides on what may be pending.
    void recordSeen(bool online, bool ownShutdownUnderway);

    // This run's switch-off has gone out, and no cancel since.
    bool sentHere() const;
    // This run's switch-off, or one an earlier run left, may stand.
    bool mayBePending() const;

    // The program ends: the UPS is told at once to cancel, unless the
    // operating system is going down (at this program's request when
    // shutdownAccepted).
    void cancelAtStop(bool shutdownAccepted);

private:
    PendingUpsOffPrivate *d;
};

#endif // PENDINGUPSOFF_H
