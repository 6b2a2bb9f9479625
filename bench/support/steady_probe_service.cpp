#include "support/steady_probe_service.h"

#include <QTimer>

namespace bench {

bool SteadyProbeService::socketsStartup()
{
    return true;
}

QString SteadyProbeService::startupFailure() const
{
    return {};
}

void SteadyProbeService::echoProbe(const QString&, const EchoReply& reply, QObject* receiver, Done done)
{
    EchoReply answer = reply;
    answer.Status = EchoStatus::Success;
    answer.RoundTripTime = 1;
    QTimer::singleShot(0, receiver, [answer, done = std::move(done)] { done(answer.Status, answer); });
}

} // namespace bench
