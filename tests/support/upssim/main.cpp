// A simulated serial UPS as a process of its own, for tests that run whole
// programs. It prints "PTY <slave path>" on its first line, then "RX <command>"
// for every command received. Lines on its standard input change its state:
//   set <field> <value>   inputVol, inputFaultVol, outputVol, load, inputFreq,
//                         battVol, temperature, status, remainTime, battPercent10,
//                         ratingBattVol
//   alarm <unit> <13 hexadecimal words>
//   silent 0|1            delay <ms>            chunk <bytes>
//   reply <command> <text> (sent followed by a CR)
//   quit
#include "simulatedups.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

void applyLine(SimulatedUps &ups, const QByteArray &line)
{
    const QList<QByteArray> parts = line.simplified().split(' ');
    const QByteArray verb = parts.value(0);
    SimulatedUps::State &s = ups.state();
    if (verb == "set" && parts.size() >= 3) {
        const QByteArray field = parts.at(1);
        const QByteArray value = parts.at(2);
        if (field == "inputVol") s.inputVol = value.toDouble();
        else if (field == "inputFaultVol") s.inputFaultVol = value.toDouble();
        else if (field == "outputVol") s.outputVol = value.toDouble();
        else if (field == "load") s.load = value.toInt();
        else if (field == "inputFreq") s.inputFreq = value.toDouble();
        else if (field == "battVol") s.battVol = value.toDouble();
        else if (field == "temperature") s.temperature = value.toDouble();
        else if (field == "status") s.status = value;
        else if (field == "remainTime") s.remainTime = value.toInt();
        else if (field == "battPercent10") s.battPercent10 = value.toInt();
        else if (field == "ratingBattVol") s.ratingBattVol = value.toDouble();
    } else if (verb == "alarm" && parts.size() >= 2) {
        s.alarmUnit = parts.at(1).toInt();
        for (int i = 0; i < 13; ++i)
            s.alarmWords[i] = quint16(parts.value(i + 2).toUInt(nullptr, 16));
    } else if (verb == "silent") {
        ups.setSilent(parts.value(1).toInt() != 0);
    } else if (verb == "delay") {
        ups.setDelay(parts.value(1).toInt());
    } else if (verb == "chunk") {
        ups.setChunkSize(parts.value(1).toInt());
    } else if (verb == "reply" && parts.size() >= 2) {
        ups.setReply(parts.at(1), line.mid(line.indexOf(parts.at(1)) + parts.at(1).size() + 1) + '\r');
    } else if (verb == "quit") {
        QCoreApplication::quit();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimulatedUps ups;
    if (!ups.isOpen()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    std::printf("PTY %s\n", qPrintable(ups.portPath()));
    std::fflush(stdout);
    QObject::connect(&ups, &SimulatedUps::commandReceived, [](const QByteArray &command) {
        std::printf("RX %s\n", command.constData());
        std::fflush(stdout);
    });

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, int(n));
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            applyLine(ups, pending.left(nl));
            pending.remove(0, nl + 1);
        }
    });
    return app.exec();
}
