#include "megatec.h"

#include "megatec_p.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Self-test kinds asked for by the user and the schedule.
enum SelfTestKind { SelfTestCancel = 1, SelfTest10S = 2, SelfTestEOD = 3, SelfTestCustom = 4 };

QByteArray withCr(const QByteArray &text)
{
    return text + '\r';
}

// Copies exactly n bytes of the reply into a fixed text field.
void copyText(char *field, const char *source, int n)
{
    std::memcpy(field, source, size_t(n));
}

} // namespace

MegatecPrivate::MegatecPrivate(Megatec *owner)
    : q(owner)
{
}

void MegatecPrivate::prepend(int command, const QByteArray &text)
{
    queue.prepend(CommandEntry{command, withCr(text)});
}

void MegatecPrivate::dropQueuedOutput(bool cancels)
{
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [cancels](const CommandEntry &entry) {
                                   return entry.command == Megatec::CmdCloseOutput
                                          && entry.text.startsWith('C') == cancels;
                               }),
                queue.end());
}

Megatec::Megatec(QObject *parent)
    : QObject(parent)
    , d(new MegatecPrivate(this))
{
    reset();
}

Megatec::~Megatec()
{
    delete d;
}

QByteArray Megatec::nextCommand()
{
    if (d->queue.isEmpty()) {
        d->queue.append({CmdOrvikBT, withCr("BT")});
        d->queue.append({CmdOrvikBP, withCr("BP")});
        if (!d->nquAnswered)
            d->queue.append({CmdOrvikNqu, withCr("NQU")});
        if (!d->ratingAnswered)
            d->queue.append({CmdQueryRatingInfo, withCr("F")});
        if (!d->infoAnswered)
            d->queue.append({CmdQueryDevInfo, withCr("I")});
        d->queue.append({CmdQueryBase, withCr("Q1")});
        d->queue.append({CmdOrvikA1, withCr("A1")});
    }
    const MegatecPrivate::CommandEntry entry = d->queue.takeFirst();
    d->currentCmd = entry.command;
    d->replyLength = 0;
    return entry.text;
}

QByteArray Megatec::statusQuery()
{
    d->currentCmd = CmdQueryBase;
    d->replyLength = 0;
    return withCr("Q1");
}

bool Megatec::parseData(const QByteArray &data)
{
    for (const char byte : data) {
        if (d->replyLength >= MegatecPrivate::kReplyMax) {
            // Too long for any reply: throw it away with the rest of the chunk.
            d->replyLength = 0;
            return false;
        }
        d->replyBuffer[d->replyLength++] = byte;
        if (byte == '\r') {
            d->replyBuffer[d->replyLength] = '\0';
            return d->dispatch();
        }
    }
    return false;
}

bool MegatecPrivate::dispatch()
{
    const QByteArray reply(replyBuffer, replyLength);
    const char lead = reply.at(0);
    const int length = reply.size();
    const QByteArray body = reply.mid(1, length - 2);
    auto fields = [&body](int count, QList<QByteArray> *out) {
        *out = body.split(' ');
        return out->size() == count;
    };
    QList<QByteArray> f;

    switch (currentCmd) {
    case Megatec::CmdQueryBase:
        if (lead != '(' || length != 47 || !fields(8, &f))
            return false;
        return parseQ1(f);

    case Megatec::CmdQueryDevInfo:
        if ((lead != '#' && lead != '!') || length != 39)
            return false;
        if (!nquAnswered) {
            copyText(data.compName, body.constData(), 15);
            copyText(data.UPSModel, body.constData() + 16, 10);
        }
        copyText(data.version, body.constData() + 27, 10);
        infoAnswered = true;
#ifndef AMBREL_SERVICE
        q->updateInfo();
#endif
        return true;

    case Megatec::CmdQueryRatingInfo:
        if (lead != '#' || length != 22 || !fields(4, &f))
            return false;
        data.ratingOutputVol = f.at(0).toFloat();
        data.ratingCurrent = f.at(1).toUShort();
        data.ratingBattVol = f.at(2).toFloat();
        data.ratingFreq = f.at(3).toFloat();
        ratingAnswered = true;
#ifndef AMBREL_SERVICE
        q->updateRating();
#endif
        return true;

    case Megatec::CmdOrvikBT:
        if (lead != '#' || length != 12 || !fields(2, &f))
            return false;
        data.battRemainTime = f.at(0).toUShort();
        data.btSecondValue = f.at(1).toFloat();
        return true;

    case Megatec::CmdOrvikBP:
        if (lead != '#' || length != 6)
            return false;
        data.battCapacity = float(body.toUInt()) * 0.1f;
        bpAnswered = true;
        return true;

    case Megatec::CmdOrvikA1: {
        if (lead != '#' || length != 69 || !fields(14, &f))
            return false;
        quint16 words[kAlarmWords];
        for (int i = 0; i < kAlarmWords; ++i)
            words[i] = f.at(i + 1).toUShort(nullptr, 16);
        q->updateAlarm(f.at(0).toInt(), words);
        return true;
    }

    case Megatec::CmdOrvikNqu:
        if (lead != '#' || length != 55)
            return false;
        copyText(data.sn, body.constData(), 21);
        copyText(data.UPSModel, body.constData() + 22, 20);
        copyText(data.compName, body.constData() + 43, 10);
        nquAnswered = true;
        // I is asked only until it is answered: an NQU reply that comes later
        // has no other way into the published texts.
#ifndef AMBREL_SERVICE
        q->updateInfo();
#endif
        return true;

    default:
        // Replies to user commands and to no command are never taken.
        return false;
    }
}

bool MegatecPrivate::parseQ1(const QList<QByteArray> &f)
{
    data.inputVol = f.at(0).toFloat();
    data.inputFaultVol = f.at(1).toFloat();
    data.outputVol = f.at(2).toFloat();
    data.load = f.at(3).toUShort();
    data.inputFreq = f.at(4).toFloat();
    data.battVol = f.at(5).toFloat();
    data.temperature = f.at(6).toFloat();

    // Each decimal digit of the status field is one bit: the units digit is
    // bit 7, the ten-millions digit bit 0.
    qint64 value = f.at(7).toLongLong(); // a sign keeps the parity of each digit
    quint8 status = 0;
    for (int bit = 7; bit >= 0; --bit) {
        if ((value % 10) & 1)
            status |= quint8(1u << bit);
        value /= 10;
    }
    q->updateStatus(status);

    if (!bpAnswered)
        estimateBattery();
    bpAnswered = false;

#ifndef AMBREL_SERVICE
    q->updateData();
#endif
    if (!online) {
        online = true;
#ifndef AMBREL_SERVICE
        devData.insert(QStringLiteral("devOnline"), true);
#endif
    }
    emit q->dataChanged();
    return true;
}

void MegatecPrivate::estimateBattery()
{
    float capacity;
    if (data.status & 0x10) {
        const float n = data.ratingBattVol / 24.0f;
        capacity = (data.battVol - 20.0f * n) / (27.2f * n - 20.0f * n) * 100.0f;
    } else {
        capacity = (data.battVol - 1.667f) / 0.6f * 100.0f;
    }
    // Zero over zero (no rating and no voltage yet) shows as empty.
    if (std::isnan(capacity))
        capacity = 0.0f;
    capacity = qBound(0.0f, capacity, 100.0f);
    data.battCapacity = capacity;
    data.battRemainTime = quint16(capacity * 1.2f);
}

#ifndef AMBREL_SERVICE
void Megatec::setBuzzer()
{
    d->prepend(CmdBuzzer, "Q");
}
#endif

void Megatec::setShutdown(bool shutdown, int time)
{
    // User commands go out latest first: a switch-off still queued behind
    // its cancel (or a cancel behind a switch-off) would undo the later one.
    if (!shutdown) {
        d->dropQueuedOutput(false);
        d->prepend(CmdCloseOutput, "C");
        return;
    }
    // A time outside 0 to 10 minutes is not a command the UPS knows.
    if (time < 0 || time > 10)
        return;
    d->dropQueuedOutput(true);
    const bool mainsFault = d->mainsFaultReported;
    QByteArray text = time == 0 ? QByteArray("S.2") : QString::asprintf("S%02d", time).toLatin1();
    if (!mainsFault)
        text += "R9999";
    d->prepend(CmdCloseOutput, text);
}

void Megatec::dropShutdown()
{
    d->dropQueuedOutput(false);
}

void Megatec::setSelfTest(int type, int time)
{
    if (d->data.status & 0x20) {
        if (type == SelfTestCancel)
            d->prepend(CmdSCCancel, "CT");
        return;
    }
    switch (type) {
    case SelfTest10S:
        d->prepend(CmdSC10S, "T");
        break;
    case SelfTestEOD:
        d->prepend(CmdSCEOD, "TL");
        break;
    case SelfTestCustom:
        if (time >= 1 && time <= 99)
            d->prepend(CmdSCCustom, QString::asprintf("T%02d", time).toLatin1());
        break;
    default:
        break;
    }
}

bool Megatec::isOnline() const
{
    return d->online;
}

UPSData *Megatec::upsData()
{
    return &d->data;
}
