#include "support/scripted_probe_service.h"

#include <QTimer>
#include <utility>

void ScriptedProbeService::script(qint32 status, qint32 roundTripTime)
{
    script_.enqueue({status, roundTripTime});
}

void ScriptedProbeService::scriptTimes(std::initializer_list<qint32> roundTripTimes)
{
    for (const qint32 roundTripTime : roundTripTimes)
        script(EchoStatus::Success, roundTripTime);
}

void ScriptedProbeService::setStartupWorks(bool works)
{
    startupWorks_ = works;
}

void ScriptedProbeService::setFailureText(const QString& text)
{
    failureText_ = text;
}

void ScriptedProbeService::hold(bool held)
{
    holding_ = held;
}

void ScriptedProbeService::release()
{
    for (Probe& probe : std::exchange(held_, {}))
        answerSoon(std::move(probe));
}

int ScriptedProbeService::probeCount() const
{
    return int(addresses_.size());
}

bool ScriptedProbeService::probePending() const
{
    return unanswered_ > 0;
}

QStringList ScriptedProbeService::addresses() const
{
    return addresses_;
}

bool ScriptedProbeService::socketsStartup()
{
    return startupWorks_;
}

QString ScriptedProbeService::startupFailure() const
{
    return startupWorks_ ? QString() : failureText_;
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
        const Outcome outcome = nextOutcome();
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

ScriptedProbeService::Outcome ScriptedProbeService::nextOutcome()
{
    return script_.isEmpty() ? Outcome{EchoStatus::Success, 1} : script_.dequeue();
}
