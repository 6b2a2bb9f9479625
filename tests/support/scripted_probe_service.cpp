#include "support/scripted_probe_service.h"

#include <QTimer>
#include <utility>

void ScriptedProbeService::release()
{
    for (Probe& probe : std::exchange(held_, {}))
        answerSoon(std::move(probe));
}

void ScriptedProbeService::echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done)
{
    addresses_.append(address);
    ++unanswered_;
    Probe probe{reply, receiver, std::move(done)};
    if (holding_)
        held_.append(std::move(probe));
    else
        answerSoon(std::move(probe));
}

void ScriptedProbeService::answerSoon(Probe probe)
{
    QTimer::singleShot(0, this, [this, probe = std::move(probe)] {
        --unanswered_;
        const Outcome outcome = script_.isEmpty() ? Outcome{EchoStatus::Success, 1} : script_.dequeue();
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
