#include "simulatedups.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray column(const QByteArray &text, int n)
{
    return text.left(n).leftJustified(n, ' ');
}

template<typename T>
QByteArray num(const char *format, T value)
{
    return QString::asprintf(format, value).toLatin1();
}

} // namespace

SimulatedUps::SimulatedUps(QObject *parent)
    : QObject(parent)
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_path = QString::fromLocal8Bit(name);

    termios tio{};
    if (tcgetattr(m_slave, &tio) == 0) { // raw: no echo, no CR/LF translation
        cfmakeraw(&tio);
        tcsetattr(m_slave, TCSANOW, &tio);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // A process the test starts holds the port only when it opens it.
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    // The slave stays open here too, so the master sees no hang-up while the
    // link under test closes and reopens the port.
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimulatedUps::onMasterReadable);
}

SimulatedUps::~SimulatedUps()
{
    delete m_notifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool SimulatedUps::isOpen() const { return m_master >= 0; }
QString SimulatedUps::portPath() const { return m_path; }
SimulatedUps::State &SimulatedUps::state() { return m_state; }
void SimulatedUps::setSilent(bool silent) { m_silent = silent; }
void SimulatedUps::setSilentFrom(const QByteArray &command)
{
    m_silentCommand = command;
    m_silentFrom = -1;
}
int SimulatedUps::silentFrom() const { return m_silentFrom; }

void SimulatedUps::setDelay(int ms) { m_delay = ms; }
void SimulatedUps::setChunkSize(int bytes) { m_chunk = bytes; }
QList<QByteArray> SimulatedUps::received() const { return m_received; }
void SimulatedUps::clearReceived() { m_received.clear(); }
void SimulatedUps::clearReplies() { m_replies.clear(); }

void SimulatedUps::setReply(const QByteArray &command, const QByteArray &reply) { m_replies.insert(command, reply); }
void SimulatedUps::setUnanswered(const QByteArray &command, bool unanswered)
{
    if (unanswered)
        m_unanswered.insert(command);
    else
        m_unanswered.remove(command);
}

QByteArray SimulatedUps::replyFor(const QByteArray &command) const
{
    const State &s = m_state;
    QByteArray body;
    char lead = '#';
    if (command == "Q1") {
        lead = '(';
        // As a real UPS does, it tells from an output switch-off command
        // until its cancel that it will switch its output off.
        QByteArray status = s.status;
        if (m_outputOffPending && status.size() == 8)
            status[6] = '1';
        const QByteArray batt = s.battVol < 10 ? num("%4.2f", s.battVol) : num("%4.1f", s.battVol);
        body = num("%05.1f", s.inputVol) + ' ' + num("%05.1f", s.inputFaultVol) + ' '
            + num("%05.1f", s.outputVol) + ' ' + num("%03d", s.load) + ' '
            + num("%04.1f", s.inputFreq) + ' ' + batt + ' ' + num("%04.1f", s.temperature) + ' '
            + status;
    } else if (command == "I") {
        body = column(s.company, 15) + ' ' + column(s.model, 10) + ' ' + column(s.version, 10);
    } else if (command == "F") {
        body = num("%05.1f", s.ratingVol) + ' ' + num("%03d", s.ratingCurrent)
            + ' ' + num("%05.1f", s.ratingBattVol) + ' ' + num("%04.1f", s.ratingFreq);
    } else if (command == "BT") {
        body = num("%04d", s.remainTime) + ' ' + num("%05.1f", s.btSecond);
    } else if (command == "BP") {
        body = num("%04d", s.battPercent10);
    } else if (command == "A1") {
        body = num("%02d", s.alarmUnit);
        for (quint16 word : s.alarmWords)
            body += num(" %04X", int(word));
    } else if (command == "NQU") {
        body = column(s.serial, 21) + ' ' + column(s.nquModel, 20) + ' ' + column(s.nquCompany, 10);
    } else {
        return QByteArray(); // commands that the UPS carries out without a reply
    }
    return lead + body + '\r';
}

void SimulatedUps::writeRaw(const QByteArray &bytes)
{
    for (qint64 done = 0; m_master >= 0 && done < bytes.size();) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

void SimulatedUps::onMasterReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_input.append(buffer, int(n));
    }
    for (int cr; (cr = m_input.indexOf('\r')) >= 0; m_input.remove(0, cr + 1))
        handleCommand(m_input.left(cr));
}

void SimulatedUps::handleCommand(const QByteArray &command)
{
    m_received.append(command);
    if (command.startsWith('S'))
        m_outputOffPending = true;
    else if (command == "C")
        m_outputOffPending = false;
    emit commandReceived(command);
    if (m_silentFrom < 0 && !m_silentCommand.isEmpty() && command == m_silentCommand) {
        m_silentFrom = m_received.size() - 1;
        m_silent = true;
    }
    if (m_silent || m_unanswered.contains(command))
        return;
    const QByteArray reply = m_replies.value(command, replyFor(command));
    if (reply.isEmpty())
        return;
    if (m_delay > 0)
        QTimer::singleShot(m_delay, this, [this, reply] { writeChunks(reply); });
    else
        writeChunks(reply);
}

void SimulatedUps::writeChunks(const QByteArray &reply)
{
    if (m_chunk <= 0 || reply.size() <= m_chunk) {
        writeRaw(reply);
        return;
    }
    writeRaw(reply.left(m_chunk));
    const QByteArray rest = reply.mid(m_chunk);
    QTimer::singleShot(10, this, [this, rest] { writeChunks(rest); });
}
