#include "support/scripted_probe_service.h"

#include <QTimer>
#include <utility>

void ScriptedProbeService::release()
{
    for (Probe& probe : std::exchange(m_held, {}))
        answerSoon(std::move(probe));
}

void ScriptedProbeService::echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done)
{
    m_addresses.append(address);
    ++m_unanswered;
    Probe probe{reply, !m_refusal.isEmpty(), receiver, std::move(done)};
    if (m_holding)
        m_held.append(std::move(probe));
    else
        answerSoon(std::move(probe));
}

void ScriptedProbeService::answerSoon(Probe probe)
{
    QTimer::singleShot(0, this, [this, probe = std::move(probe)] {
        --m_unanswered;
        Outcome outcome = m_script.isEmpty() ? Outcome{EchoStatus::Success, 1} : m_script.dequeue();
        if (probe.refused)
            outcome.status = -1;
        EchoReply reply = probe.reply;
        // Like EchoProbe, -1 leaves the record as it was.
        if (outcome.status != -1) {
            reply.Status = outcome.status;
            reply.RoundTripTime = outcome.roundTripTime;
        }
        if (probe.receiver)
            probe.done(outcome.status, reply);
    });
}
