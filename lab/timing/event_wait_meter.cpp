#include "timing/event_wait_meter.h"

#include "timing/clock.h"
#include "timing/thread_times.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace {

constexpr auto PostEvery = std::chrono::milliseconds(5);
const QEvent::Type Stamped = QEvent::Type(QEvent::User + 71);

struct StampedEvent : QEvent {
    StampedEvent(double at, ThreadTimes times) : QEvent(Stamped), postedAt(at), receiverTimes(times) {}
    double postedAt; // monotonicMs()
    ThreadTimes receiverTimes;
};

// Ahead of every ordinary thread, so that a busy machine does not hold the
// poster between stamping an event and posting it; without the right to it
// the meter runs all the same.
void postAheadOfOthers()
{
    const sched_param priority{1};
    ::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &priority);
}

} // namespace

EventWaitMeter::EventWaitMeter(QObject& window) : m_window(window)
{
    m_window.installEventFilter(this);
    m_poster = std::jthread([this, receiver = currentThread()](std::stop_token stopping) {
        postAheadOfOthers();
        while (!stopping.stop_requested()) {
            const ThreadTimes times = threadTimes(receiver);
            QCoreApplication::postEvent(&m_window, new StampedEvent(monotonicMs(), times));
            std::this_thread::sleep_for(PostEvery);
        }
    });
}

EventWaitMeter::~EventWaitMeter()
{
    stop();
    QCoreApplication::removePostedEvents(&m_window, Stamped);
}

void EventWaitMeter::stop()
{
    m_poster.request_stop();
    if (m_poster.joinable())
        m_poster.join();
}

bool EventWaitMeter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window || event->type() != Stamped)
        return false;
    const auto* stamped = static_cast<StampedEvent*>(event);
    const ThreadTimes times = threadTimes(currentThread());
    const Wait wait{stamped->postedAt, monotonicMs() - stamped->postedAt,
                    times.runningMs - stamped->receiverTimes.runningMs,
                    times.queuedMs - stamped->receiverTimes.queuedMs};
    if (wait.wallMs > m_worst.wallMs)
        m_worst = wait;
    if (wait.ownMs() > m_worstOwn.ownMs())
        m_worstOwn = wait;
    m_waits.append(wait.wallMs);
    return true;
}
