// The cancel of a UPS switch-off that cannot wait for the next poll (the
// program ends): written at once, and followed by a status query whose
// answer shows that the UPS has taken it.
#include "devcomm.h"

#include "devcomm_p.h"
#include "megatec.h"
#include "platform/serialline.h"

#include <QElapsedTimer>

namespace {
// The longest wait for a command written at once to leave the port, and
// for the UPS's answer to the status query after it.
constexpr int kWriteNowTimeout = 1000;
constexpr int kAnswerTimeout = 1000;
} // namespace

DevComm::Cancel DevComm::cancelShutdownNow()
{
    if (d->commType != COM) {
        if (!d->sendShutdownReport(false, 0))
            return Cancel::NotSent;
        return d->usbAnswersNow() ? Cancel::Answered : Cancel::Sent;
    }
    if (!d->serialPort->isOpen())
        return Cancel::NotSent;
    // The cancel goes to the front of the queue and is taken from there at
    // once, instead of with the next poll.
    d->megatec->setShutdown(false, 0);
    if (!d->writeNow(d->megatec->nextCommand()))
        return Cancel::NotSent;
    return d->serialAnswersNow() ? Cancel::Answered : Cancel::Sent;
}

bool DevCommPrivate::writeNow(const QByteArray &command)
{
    if (serialPort->write(command) != command.size())
        return false;
    QElapsedTimer waited;
    waited.start();
    while (serialPort->bytesToWrite() > 0) {
        const int left = kWriteNowTimeout - int(waited.elapsed());
        if (left <= 0 || !serialPort->waitForBytesWritten(left))
            return false;
    }
    // Closing the port right after the write would set its old line
    // settings while the last characters are still on their way.
    return serialPort->drain(qMax(1, kWriteNowTimeout - int(waited.elapsed())));
}

bool DevCommPrivate::serialAnswersNow()
{
    // What came before the cancel left answers nothing that follows it.
    serialPort->clearInput();
    const quint32 before = repliesAccepted;
    if (!writeNow(megatec->statusQuery()))
        return false;
    QElapsedTimer waited;
    waited.start();
    // The reply is taken where every reply is (onCOMReadyRead).
    while (repliesAccepted == before) {
        const int left = kAnswerTimeout - int(waited.elapsed());
        if (left <= 0 || !serialPort->waitForReadyRead(left))
            break;
    }
    return repliesAccepted != before;
}
