// Figures 1 and 2: the probe's round-trip times at injected delays, against
// their packets on the wire and beside the system ping, and its timeout, in
// a network namespace made for the run.

#include "core/threaded_probe_service.h"
#include "figures/report.h"
#include "figures/stats.h"
#include "network/test_network.h"
#include "support/probe_once.h"
#include "support/system_ping.h"
#include "support/wire_capture.h"

#include <QCoreApplication>
#include <cmath>

using namespace Qt::StringLiterals;

using namespace bench;

namespace {

constexpr int ProbesPerDelay = 20;
constexpr int TimeoutProbes = 10;
constexpr int ProbeTimeoutMs = 1000;
constexpr double TimeoutAllowanceMs = 5;
const QString Responder = QString::fromLatin1(TestNetwork::ResponderAddress);

const char* const RoundTripGoal = "each within 1 ms of its packets on the wire (truncated alike)";
const char* const TimeoutGoal = "1000 ms + at most 5 ms";

QString figureName(int delay)
{
    return u"1 round trip, %1 ms delay"_s.arg(delay);
}

// How far our times stand from their packets' on the wire, truncated alike.
// The i-th request on the wire is the i-th probe's: a probe is sent only
// once the one before it has ended.
int farthestFromWire(const QList<double>& ours, const QList<double>& onWire)
{
    int farthest = 0;
    for (qsizetype i = 0; i < ours.size(); ++i)
        farthest = qMax(farthest, qAbs(int(ours[i]) - int(std::trunc(onWire[i]))));
    return farthest;
}

// What the probe tells against the time between each request and its reply
// as tcpdump saw them pass: the same packets, so that a loaded machine, on
// which the injected delay itself grows, moves both alike. The system ping's
// own probes afterwards are a reference only.
void measureDelay(TestNetwork& network, TimedProbeService& probe, int delay)
{
    if (!network.startResponder(QString::fromUtf8(ECHO_RESPONDER),
                                {u"--delay-ms"_s, QString::number(delay), u"--lifetime-s"_s, u"60"_s})) {
        printSkipped(figureName(delay), RoundTripGoal, u"the responder did not start"_s);
        return;
    }
    QList<double> ours;
    QList<double> onWire;
    bool watched = false;
    {
        WireCapture wire(network.proberNamespace());
        for (int i = 0; i < ProbesPerDelay; ++i) {
            const auto outcome = timedProbeOnce(probe, Responder);
            if (outcome && outcome->status == 0)
                ours.append(outcome->roundTripTime);
        }
        watched = wire.isListening();
        if (watched)
            onWire = wire.roundTrips();
    }
    const PingRun ping = runPing({u"ip"_s, u"netns"_s, u"exec"_s, network.proberNamespace(), u"ping"_s, u"-n"_s,
                                  u"-c"_s, QString::number(ProbesPerDelay), u"-i"_s, u"0.2"_s, Responder},
                                 30'000);
    printDetail(u"delay %1 ms: ours %2 (ms); on the wire %3; ping %4"_s.arg(delay).arg(
        joined(ours, 0), joined(onWire, 2), ping.failure.isEmpty() ? joined(ping.times, 3) : ping.failure));
    const QString reference = u"the wire %1..%2 ms; ping %3"_s.arg(summarize(onWire).min, 0, 'f', 2)
                                  .arg(summarize(onWire).max, 0, 'f', 2)
                                  .arg(ping.failure.isEmpty() ? u"%1..%2 ms, mean %3"_s.arg(ping.minMs, 0, 'f', 3)
                                                                    .arg(ping.maxMs, 0, 'f', 3)
                                                                    .arg(ping.meanMs, 0, 'f', 3)
                                                              : u"failed"_s);
    if (ours.size() < ProbesPerDelay) {
        printFigure(figureName(delay), u"%1 of %2 replies"_s.arg(ours.size()).arg(ProbesPerDelay), reference,
                    RoundTripGoal, false);
        return;
    }
    if (onWire.size() != ours.size()) {
        printFigure(figureName(delay),
                    u"failed: the wire was not watched (tcpdump %1, %2 of %3 replies)"_s
                        .arg(watched ? u"listened"_s : u"did not listen"_s)
                        .arg(onWire.size())
                        .arg(ours.size()),
                    reference, RoundTripGoal, std::nullopt);
        return;
    }
    const Summary our = summarize(ours);
    const int farthest = farthestFromWire(ours, onWire);
    printFigure(figureName(delay),
                u"%1 replies, %2..%3 ms, mean %4, off their packets on the wire by <= %5 ms"_s.arg(ours.size())
                    .arg(our.min)
                    .arg(our.max)
                    .arg(our.mean, 0, 'f', 2)
                    .arg(farthest),
                reference, QString::fromLatin1(RoundTripGoal), farthest <= 1);
}

void measureTimeout(TestNetwork& network, TimedProbeService& probe)
{
    const QString figure = u"2 timeout, silent address"_s;
    if (!network.startResponder(QString::fromUtf8(ECHO_RESPONDER), {u"--silent"_s})) {
        printSkipped(figure, TimeoutGoal, u"the responder did not start"_s);
        return;
    }
    QList<double> waits;
    QList<double> ownWaits;     // less the time the machine kept our threads from a processor
    QList<double> waitedInside; // what EchoProbe itself waited, whole ms
    bool allFailed = true;
    for (int i = 0; i < TimeoutProbes; ++i) {
        if (const auto outcome = timedProbeOnce(probe, Responder)) {
            waits.append(outcome->durationMs);
            ownWaits.append(outcome->durationMs - outcome->queuedMs);
            waitedInside.append(outcome->roundTripTime);
            allFailed = allFailed && outcome->status != 0;
        }
    }
    const Summary wait = summarize(waits);
    const Summary own = summarize(ownWaits);
    printDetail(u"request to non-zero status: %1 (ms); less time kept from a processor: %2;"
                u" of which EchoProbe waited %3 (whole ms)"_s.arg(joined(waits, 2), joined(ownWaits, 2),
                                                                  joined(waitedInside, 0)));
    printFigure(figure,
                u"%1 probes, %2..%3 ms less time kept off a busy processor (%4..%5 ms as it came)%6"_s.arg(waits.size())
                    .arg(own.min, 0, 'f', 2)
                    .arg(own.max, 0, 'f', 2)
                    .arg(wait.min, 0, 'f', 2)
                    .arg(wait.max, 0, 'f', 2)
                    .arg(allFailed ? QString() : u", a zero status"_s),
                u"timeout 1000 ms"_s, QString::fromLatin1(TimeoutGoal),
                waits.size() == TimeoutProbes && allFailed && own.min >= ProbeTimeoutMs
                    && own.max <= ProbeTimeoutMs + TimeoutAllowanceMs);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    TestNetwork network;
    if (!network.isReady()) {
        for (int delay : {0, 5, 15, 30, 60, 100, 500})
            printSkipped(figureName(delay), RoundTripGoal, network.failure());
        printSkipped(u"2 timeout, silent address"_s, TimeoutGoal, network.failure());
        return 0;
    }
    // The probe's worker thread is started here, so it sends from the prober's side.
    const NamespaceVisit visit(network.proberNamespace());
    ThreadedProbeService real;
    TimedProbeService probe(real);
    for (int delay : {0, 5, 15, 30, 60, 100, 500})
        measureDelay(network, probe, delay);
    measureTimeout(network, probe);
    return 0;
}
