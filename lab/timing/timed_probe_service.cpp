#include "timing/timed_probe_service.h"

#include "timing/clock.h"
#include "timing/thread_times.h"

TimedProbeService::TimedProbeService(ProbeService& real) : m_real(real)
{
}

bool TimedProbeService::socketsStartup()
{
    return m_real.socketsStartup();
}

QString TimedProbeService::startupFailure() const
{
    return m_real.startupFailure();
}

void TimedProbeService::echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done)
{
    // Read before the clock starts, so that the probe's time leaves out the reading.
    const double queuedBefore = queuedMsOfAllThreads();
    const double callerQueuedBefore = threadTimes(currentThread()).queuedMs;
    const double requestedAt = monotonicMs();
    m_real.echoProbe(
        address, reply, receiver, [=, this, done = std::move(done)](qint32 status, const EchoReply& outcome) {
            m_probes.append({requestedAt, monotonicMs() - requestedAt, queuedMsOfAllThreads() - queuedBefore,
                             callerQueuedBefore, threadTimes(currentThread()).queuedMs, status, outcome.RoundTripTime});
            done(status, outcome);
        });
}
