#include "support/probe_once.h"

#include <QEventLoop>
#include <QTimer>

namespace bench {

std::optional<TimedProbeService::Probe> probeOnce(TimedProbeService& service, const QString& address, int timeoutMs)
{
    const qsizetype before = service.probes().size();
    QEventLoop waiting;
    QTimer::singleShot(timeoutMs, &waiting, &QEventLoop::quit);
    service.echoProbe(address, EchoReply{}, &waiting, [&waiting](qint32, const EchoReply&) { waiting.quit(); });
    waiting.exec();
    if (service.probes().size() == before)
        return std::nullopt;
    return service.probes().back();
}

} // namespace bench
