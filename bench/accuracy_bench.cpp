// Figures 1 and 2: the probe's round-trip times against injected delays and
// the system ping, and its timeout, in a network namespace made for the run.

#include "core/grading.h"
#include "core/threaded_probe_service.h"
#include "network/test_network.h"
#include "support/probe_once.h"
#include "support/report.h"
#include "support/stats.h"
#include "support/system_ping.h"
#include "support/wire_capture.h"

#include <QCoreApplication>
#include <cmath>

using namespace bench;

namespace {

constexpr int ProbesPerDelay = 20;
constexpr int TimeoutProbes = 10;
constexpr int ProbeTimeoutMs = 1000;
constexpr double TimeoutAllowanceMs = 5;
const QString Responder = QString::fromLatin1(TestNetwork::ResponderAddress);

const char* const RoundTripGoal = "each within 1 ms of ping (truncated), same grade";
const char* const TimeoutGoal = "1000 ms + at most 5 ms";

QString figureName(int delay)
{
    return QStringLiteral("1 round trip, %1 ms delay").arg(delay);
}

std::optional<quint8> gradeOf(int ms)
{
    const auto grade = GradeRoundTrip(0, ms);
    return grade ? std::optional<quint8>(grade->code) : std::nullopt;
}

// Our own share of each reported time: how far it stands from the time
// between the request and the reply on the wire, truncated alike.
QString againstWire(const QList<double>& ours, const QList<double>& onWire)
{
    if (onWire.size() != ours.size())
        return QStringLiteral("the wire was not watched (tcpdump %1 of %2 replies)").arg(onWire.size()).arg(ours.size());
    int farthest = 0;
    for (qsizetype i = 0; i < ours.size(); ++i)
        farthest = qMax(farthest, qAbs(int(ours[i]) - int(std::trunc(onWire[i]))));
    return QStringLiteral("on the wire %1 (ms); ours off the wire's by <= %2 ms").arg(joined(onWire, 2)).arg(farthest);
}

void measureDelay(TestNetwork& network, TimedProbeService& probe, int delay)
{
    if (!network.startResponder(QStringLiteral(ECHO_RESPONDER),
                                {QStringLiteral("--delay-ms"), QString::number(delay), QStringLiteral("--lifetime-s"),
                                 QStringLiteral("60")})) {
        printSkipped(figureName(delay), RoundTripGoal, QStringLiteral("the responder did not start"));
        return;
    }
    QList<double> ours;
    QList<double> onWire;
    {
        WireCapture wire(network.proberNamespace());
        for (int i = 0; i < ProbesPerDelay; ++i) {
            const auto outcome = timedProbeOnce(probe, Responder);
            if (outcome && outcome->status == 0)
                ours.append(outcome->roundTripTime);
        }
        if (wire.isListening())
            onWire = wire.roundTrips();
    }
    const PingRun ping = runPing({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"),
                                  network.proberNamespace(), QStringLiteral("ping"), QStringLiteral("-n"),
                                  QStringLiteral("-c"), QString::number(ProbesPerDelay), QStringLiteral("-i"),
                                  QStringLiteral("0.2"), Responder},
                                 30'000);
    if (!ping.failure.isEmpty()) {
        printSkipped(figureName(delay), RoundTripGoal, ping.failure);
        return;
    }
    // ping prints single replies from 100 ms on rounded to whole ms; its
    // summary keeps the microseconds.
    const int reference = int(std::trunc(ping.meanMs));
    int farthest = 0;
    bool sameGrade = true;
    for (double time : ours) {
        farthest = qMax(farthest, qAbs(int(time) - reference));
        sameGrade = sameGrade && gradeOf(int(time)) == gradeOf(reference);
    }
    const Summary our = summarize(ours);
    printDetail(QStringLiteral("delay %1 ms: %2").arg(delay).arg(againstWire(ours, onWire)));
    printDetail(QStringLiteral("delay %1 ms: ours %2 (ms); ping %3 (ms)").arg(delay).arg(joined(ours, 0),
                                                                                   joined(ping.times, 3)));
    printFigure(figureName(delay),
                QStringLiteral("%1 replies, %2..%3 ms, mean %4, off ping by <= %5 ms%6")
                    .arg(ours.size()).arg(our.min).arg(our.max).arg(our.mean, 0, 'f', 2).arg(farthest)
                    .arg(sameGrade ? QString() : QStringLiteral(", grade differs")),
                QStringLiteral("ping %1..%2 ms, mean %3 -> %4").arg(ping.minMs, 0, 'f', 3).arg(ping.maxMs, 0, 'f', 3)
                    .arg(ping.meanMs, 0, 'f', 3).arg(reference),
                QString::fromLatin1(RoundTripGoal),
                ours.size() == ProbesPerDelay && farthest <= 1 && sameGrade);
}

void measureTimeout(TestNetwork& network, TimedProbeService& probe)
{
    const QString figure = QStringLiteral("2 timeout, silent address");
    if (!network.startResponder(QStringLiteral(ECHO_RESPONDER), {QStringLiteral("--silent")})) {
        printSkipped(figure, TimeoutGoal, QStringLiteral("the responder did not start"));
        return;
    }
    QList<double> waits;
    QList<double> ownWaits;      // less the time the machine kept our threads from a processor
    QList<double> waitedInside;  // what EchoProbe itself waited, whole ms
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
    printDetail(QStringLiteral("request to non-zero status: %1 (ms); less time kept from a processor: %2;"
                               " of which EchoProbe waited %3 (whole ms)")
                    .arg(joined(waits, 2), joined(ownWaits, 2), joined(waitedInside, 0)));
    printFigure(figure,
                QStringLiteral("%1 probes, %2..%3 ms less time kept off a busy processor (%4..%5 ms as it came)%6")
                    .arg(waits.size()).arg(own.min, 0, 'f', 2).arg(own.max, 0, 'f', 2).arg(wait.min, 0, 'f', 2)
                    .arg(wait.max, 0, 'f', 2).arg(allFailed ? QString() : QStringLiteral(", a zero status")),
                QStringLiteral("timeout 1000 ms"), QString::fromLatin1(TimeoutGoal),
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
        printSkipped(QStringLiteral("2 timeout, silent address"), TimeoutGoal, network.failure());
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
