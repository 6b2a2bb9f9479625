#pragma once

#include <QList>
#include <QObject>
#include <sys/types.h>
#include <thread>

// Posts a stamped event to a window every few milliseconds from a thread of
// its own and notes how long each waited before the window's thread ran it.
// A UI thread blocked for a while shows as one long wait, and every event
// posted meanwhile waits too. Each wait is split by what the window's thread
// did meanwhile: ran, or stood ready while other programs held every
// processor (which the program cannot help).
class EventWaitMeter : public QObject {
public:
    struct Wait {
        double postedAt = 0; // monotonicMs()
        double wallMs = -1;
        double runningMs = 0;
        double queuedMs = 0;
        double ownMs() const { return wallMs - queuedMs; }
    };

    // Made on the window's thread.
    explicit EventWaitMeter(QObject& window);
    ~EventWaitMeter() override;

    // Stops posting; events already posted are still measured.
    void stop();
    const QList<double>& waits() const { return m_waits; }
    const Wait& worst() const { return m_worst; }
    // The longest wait less the time the thread stood ready to run.
    const Wait& worstOwn() const { return m_worstOwn; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject& m_window;
    QList<double> m_waits;
    Wait m_worst;
    Wait m_worstOwn;
    std::jthread m_poster;
};
