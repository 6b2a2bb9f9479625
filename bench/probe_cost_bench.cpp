// Figure 7: probes a second to 127.0.0.1 with the blocking EchoProbe one after
// another, against the system ping flooding the same address: through a ping
// socket, and where ping sockets are closed through the echo helper, one for
// all the probes as an alignment keeps one, each in a network namespace of
// its own. Without root, which the namespaces need, the way this system
// gives is measured alone.

#include "core/echo_probe.h"
#include "core/threaded_probe_service.h"
#include "figures/report.h"
#include "network/test_network.h"
#include "platform/echo_helper_launch.h"
#include "support/probe_once.h"
#include "support/system_ping.h"
#include "timing/clock.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

using namespace bench;

namespace {

constexpr int Probes = 20'000;
constexpr double TimeLimitMs = 30'000;
const QString Loopback = u"127.0.0.1"_s;
const QString Figure = u"7 probe cost, 127.0.0.1"_s;
const QString PingSocketFigure = u"7 probe cost, ping socket, 127.0.0.1"_s;
const QString HelperFigure = u"7 probe cost, echo helper, 127.0.0.1"_s;
const QString Goal = u"none set: the ratio is reported"_s;

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
    return u"%1 probes/s (%2 us a probe)"_s.arg(1000 / rate.perProbeMs(), 0, 'f', 0)
        .arg(rate.perProbeMs() * 1000, 0, 'f', 1);
}

// `namespacePrefix` runs ping where the probes run.
void measure(const QString& figure, const QStringList& namespacePrefix)
{
    if (!SocketsStartup()) {
        printSkipped(figure, Goal, SocketsStartupFailure());
        return;
    }
    platform::EchoHelper helper;
    const Rate blocking = probeRepeatedly([&helper] {
        EchoReply reply;
        return EchoProbe(Loopback, reply, nullptr, &helper) == EchoStatus::Success;
    });
    ThreadedProbeService threadedService;
    const Rate threaded =
        probeRepeatedly([&threadedService] { return probeOnce(threadedService, Loopback) == EchoStatus::Success; });
    printDetail(u"%1: EchoProbe: %2 of %3 answered in %4 ms; through the program's worker thread: %5"_s.arg(figure)
                    .arg(blocking.answered)
                    .arg(Probes)
                    .arg(blocking.elapsedMs, 0, 'f', 1)
                    .arg(rateText(threaded)));

    const PingRun ping = runPing(
        namespacePrefix + QStringList{u"ping"_s, u"-n"_s, u"-q"_s, u"-f"_s, u"-c"_s, QString::number(Probes), Loopback},
        int(TimeLimitMs));
    if (!ping.failure.isEmpty() || ping.interPacketGapMs <= 0) {
        printFigure(figure, rateText(blocking), u"ping -f: "_s + ping.failure, Goal, std::nullopt);
        return;
    }
    const Rate flood{ping.received, ping.interPacketGapMs * ping.received};
    printFigure(figure,
                rateText(blocking)
                    + u", %1 x ping's time a probe"_s.arg(blocking.perProbeMs() / flood.perProbeMs(), 0, 'f', 2),
                u"ping -f -c %1: "_s.arg(Probes) + rateText(flood), Goal, std::nullopt);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    TestNetwork network;
    if (!network.isReady()) {
        printDetail(u"the namespaces for each way of sending: "_s + network.failure());
        measure(Figure, {});
        return 0;
    }
    // Threads started meanwhile, the probe's worker among them, probe from there too.
    const NamespaceVisit visit(network.proberNamespace());
    const QStringList there{u"ip"_s, u"netns"_s, u"exec"_s, network.proberNamespace()};
    for (const bool pingSockets : {true, false}) {
        if (network.allowPingSockets(pingSockets))
            measure(pingSockets ? PingSocketFigure : HelperFigure, there);
        else
            printSkipped(pingSockets ? PingSocketFigure : HelperFigure, Goal, u"ping_group_range not set"_s);
    }
    return 0;
}
