#ifndef MEGATEC_P_H
#define MEGATEC_P_H

#include "megatec.h"

#include <QList>
#include <QVariantList>
#include <QVector>

class MegatecPrivate
{
public:
    struct CommandEntry
    {
        int command;
        QByteArray text; // CR included
    };

    struct Sample
    {
        qint64 elapsed;
        quint16 load;
        qint16 capacity;
    };

    static constexpr int kReplyMax = 128;
    static constexpr int kAlarmWords = 13;

    explicit MegatecPrivate(Megatec *owner);

    void prepend(int command, const QByteArray &text);
    // Takes queued switch-offs of the output (cancels false) or queued
    // cancels (true) off the queue.
    void dropQueuedOutput(bool cancels);
    bool dispatch();
    bool parseQ1(const QList<QByteArray> &fields);
    void estimateBattery();

    void startLogSelfTest();
    void stopLogSelfTest();
    void addSample();

    Megatec *q;

    // Protocol state.
    int currentCmd = Megatec::CmdError;
    char replyBuffer[kReplyMax + 1] = {};
    int replyLength = 0;
    bool infoAnswered = false;
    bool ratingAnswered = false;
    bool nquAnswered = false;
    bool bpAnswered = false;
    bool online = false;
    // The mains state that the UPS last reported; a reset keeps it, so an
    // output shutdown asked for while the UPS does not answer still takes
    // the variant of the outage that the UPS reported.
    bool mainsFaultReported = false;
    QList<CommandEntry> queue;

    // The live record and its publication.
    UPSData data{};
    int alarmUnit = -1;
    quint16 alarmWords[kAlarmWords] = {};
#ifndef AMBREL_SERVICE
    QVariantMap devData;
    QVariantList inputVolList;
    QVariantList outputVolList;
#endif

    // Self-test log.
    bool logging = false;
    qint64 logStart = 0;
    qint64 lastSampleTime = 0;
    QVector<Sample> samples;
};

#endif // MEGATEC_P_H
