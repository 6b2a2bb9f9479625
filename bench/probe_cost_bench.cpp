// Figure 7: probes a second to 127.0.0.1 with the blocking EchoProbe one after
// another, against the system ping flooding the same address.

#include "core/echo_probe.h"
#include "core/threaded_probe_service.h"
#include "support/probe_once.h"
#include "support/report.h"
#include "support/system_ping.h"
#include "timing/clock.h"

#include <QCoreApplication>

using namespace bench;

namespace {

constexpr int Probes = 20'000;
constexpr double TimeLimitMs = 30'000;
const QString Loopback = QStringLiteral("127.0.0.1");
const QString Figure = QStringLiteral("7 probe cost, 127.0.0.1");
const QString Goal = QStringLiteral("none set: the ratio is reported");

struct Rate {
    int answered = 0;
    double elapsedMs = 0;
    double perProbeMs() const { return answered ? elapsedMs / answered : 0; }
};

template <typename Probe>
Rate probeRepeatedly(Probe sendOne)
{
    Rate rate;
    const double startedAt = monotonicMs();
    for (int probe = 0; probe < Probes && monotonicMs() - startedAt < TimeLimitMs; ++probe)
        rate.answered += sendOne() ? 1 : 0;
    rate.elapsedMs = monotonicMs() - startedAt;
    return rate;
}

QString rateText(const Rate& rate)
{
    return QStringLiteral("%1 probes/s (%2 us a probe)").arg(1000 / rate.perProbeMs(), 0, 'f', 0)
        .arg(rate.perProbeMs() * 1000, 0, 'f', 1);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (!SocketsStartup()) {
        printSkipped(Figure, Goal, SocketsStartupFailure());
        return 0;
    }
    const Rate blocking = probeRepeatedly([] {
        EchoReply reply;
        return EchoProbe(Loopback, reply) == EchoStatus::Success;
    });
    ThreadedProbeService threadedService;
    const Rate threaded = probeRepeatedly(
        [&threadedService] { return probeOnce(threadedService, Loopback) == EchoStatus::Success; });
    printDetail(QStringLiteral("EchoProbe: %1 of %2 answered in %3 ms; through the program's worker thread: %4")
                    .arg(blocking.answered).arg(Probes).arg(blocking.elapsedMs, 0, 'f', 1).arg(rateText(threaded)));

    const PingRun ping = runPing({QStringLiteral("ping"), QStringLiteral("-n"), QStringLiteral("-q"),
                                  QStringLiteral("-f"), QStringLiteral("-c"), QString::number(Probes), Loopback},
                                 int(TimeLimitMs));
    if (!ping.failure.isEmpty() || ping.interPacketGapMs <= 0) {
        printFigure(Figure, rateText(blocking), QStringLiteral("ping -f: ") + ping.failure, Goal, std::nullopt);
        return 0;
    }
    const Rate flood{ping.received, ping.interPacketGapMs * ping.received};
    printFigure(Figure,
                rateText(blocking) + QStringLiteral(", %1 x ping's time a probe")
                                         .arg(blocking.perProbeMs() / flood.perProbeMs(), 0, 'f', 2),
                QStringLiteral("ping -f -c %1: ").arg(Probes) + rateText(flood), Goal, std::nullopt);
    return 0;
}
