#include "support/usage_meter.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

constexpr auto LookEvery = std::chrono::milliseconds(500);

// Files under /proc tell no size, so they are read whole.
QByteArray readProcFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// utime + stime of /proc/PID/stat, which include the threads already ended,
// and cutime + cstime, the programs it started and waited for: the echo
// helper's runs are the program's cost too.
std::optional<qint64> processorTicks(qint64 pid)
{
    const QByteArray stat = readProcFile(u"/proc/%1/stat"_s.arg(pid));
    // The command name in parentheses may hold blanks; the fields after it,
    // from the state (field 3) on, do not.
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 2).split(' ');
    constexpr int UserTime = 14 - 3;
    constexpr int ChildrenSystemTime = 17 - 3;
    if (fields.size() <= ChildrenSystemTime)
        return std::nullopt;
    qint64 ticks = 0;
    for (int field = UserTime; field <= ChildrenSystemTime; ++field)
        ticks += fields[field].toLongLong();
    return ticks;
}

UsageMeter::Switches switchesOfThread(const QString& taskPath)
{
    UsageMeter::Switches switches;
    for (const QByteArray& line : readProcFile(taskPath + u"/status"_s).split('\n')) {
        const qint64 count = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        if (line.startsWith("voluntary_ctxt_switches:"))
            switches.voluntary = count;
        else if (line.startsWith("nonvoluntary_ctxt_switches:"))
            switches.nonvoluntary = count;
    }
    return switches;
}

} // namespace

UsageMeter::UsageMeter(qint64 pid) : m_pid(pid)
{
    look();
    m_looker = std::jthread([this](std::stop_token stopping) {
        std::mutex sleeping;
        std::unique_lock lock(sleeping);
        std::condition_variable_any stopped;
        while (!stopped.wait_for(lock, stopping, LookEvery, [&stopping] { return stopping.stop_requested(); }))
            look();
    });
}

UsageMeter::~UsageMeter()
{
    stop();
}

void UsageMeter::stop()
{
    if (!m_looker.joinable())
        return;
    m_looker.request_stop();
    m_looker.join();
    look();
}

void UsageMeter::look()
{
    const QString tasks = u"/proc/%1/task"_s.arg(m_pid);
    const QStringList ids = QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const std::optional<qint64> ticks = processorTicks(m_pid);
    QMutexLocker locked(&m_mutex);
    if (ticks) {
        if (!m_started)
            m_startTicks = *ticks;
        m_latestTicks = *ticks;
    }
    for (const QString& id : ids) {
        const QString task = tasks + u'/' + id;
        const Switches switches = switchesOfThread(task);
        const qint64 threadId = id.toLongLong();
        if (!m_threads.contains(threadId)) {
            const QString name = QString::fromLocal8Bit(readProcFile(task + u"/comm"_s)).trimmed();
            m_threads.insert(threadId, {name, m_started ? Switches() : switches, switches});
        } else if (switches.total() > 0) {
            // A thread that ended since its directory was listed reads as
            // none; it keeps what it had.
            m_threads[threadId].latest = switches;
        }
    }
    m_started = true;
}

double UsageMeter::processorMs() const
{
    QMutexLocker locked(&m_mutex);
    return double(m_latestTicks - m_startTicks) * 1000.0 / double(::sysconf(_SC_CLK_TCK));
}

UsageMeter::Switches& UsageMeter::Switches::operator+=(const Switches& more)
{
    voluntary += more.voluntary;
    nonvoluntary += more.nonvoluntary;
    return *this;
}

UsageMeter::Switches UsageMeter::Switches::operator-(const Switches& earlier) const
{
    return {voluntary - earlier.voluntary, nonvoluntary - earlier.nonvoluntary};
}

UsageMeter::Switches UsageMeter::switches() const
{
    Switches total;
    for (const Switches& thread : switchesByThreadName())
        total += thread;
    return total;
}

QMap<QString, UsageMeter::Switches> UsageMeter::switchesByThreadName() const
{
    QMutexLocker locked(&m_mutex);
    QMap<QString, Switches> byName;
    for (const Thread& thread : m_threads)
        byName[thread.name] += thread.latest - thread.atStart;
    return byName;
}

} // namespace bench
