#pragma once

#include <QMap>
#include <QMutex>
#include <QString>
#include <thread>

namespace bench {

// What a running process costs the machine from now until stop(): the
// processor time of all its threads (user and system) and of the programs
// it started and waited for meanwhile, and how many times
// its threads were switched out, each switch ending one wakeup. A thread of
// the meter's own looks at the process every half second, so that a thread
// that ends meanwhile still counts up to its last look.
class UsageMeter {
public:
    explicit UsageMeter(qint64 pid);
    ~UsageMeter();
    UsageMeter(const UsageMeter&) = delete;
    UsageMeter& operator=(const UsageMeter&) = delete;

    // Takes a last look and stops looking.
    void stop();

    struct Switches {
        qint64 voluntary = 0;    // the thread waited for something
        qint64 nonvoluntary = 0; // the thread was taken off the processor
        qint64 total() const { return voluntary + nonvoluntary; }
        Switches& operator+=(const Switches& more);
        Switches operator-(const Switches& earlier) const;
    };

    double processorMs() const;
    Switches switches() const;
    // The switches of each thread name, threads of the same name summed.
    QMap<QString, Switches> switchesByThreadName() const;

private:
    struct Thread {
        QString name;
        Switches atStart; // none for a thread started after the meter
        Switches latest;
    };

    void look();

    const qint64 m_pid;
    mutable QMutex m_mutex;
    qint64 m_startTicks = 0;
    qint64 m_latestTicks = 0;
    QMap<qint64, Thread> m_threads;
    bool m_started = false;
    std::jthread m_looker;
};

} // namespace bench
