#include "support/probe_once.h"

#include <QEventLoop>
#include <QTimer>

namespace bench {

std::optional<qint32> probeOnce(ProbeService& service, const QString& address, int timeoutMs)
{
    std::optional<qint32> status;
    QEventLoop waiting;
    QTimer::singleShot(timeoutMs, &waiting, &QEventLoop::quit);
    service.echoProbe(address, EchoReply{}, &waiting, [&](qint32 outcome, const EchoReply&) {
        status = outcome;
        waiting.quit();
    });
    waiting.exec();
    return status;
}

std::optional<TimedProbeService::Probe> timedProbeOnce(TimedProbeService& service, const QString& address)
{
    if (!probeOnce(service, address))
        return std::nullopt;
    return service.probes().back();
}

} // namespace bench
