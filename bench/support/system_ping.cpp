#include "support/system_ping.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

void readOutput(const QString& output, PingRun& run)
{
    static const QRegularExpression replyTime(u"time=([0-9.]+) ms"_s);
    static const QRegularExpression received(u"(\\d+) received"_s);
    static const QRegularExpression summary(u"min/avg/max/mdev = ([0-9.]+)/([0-9.]+)/([0-9.]+)/"_s);
    static const QRegularExpression gap(u"ipg/ewma ([0-9.]+)/"_s);
    for (auto match = replyTime.globalMatch(output); match.hasNext();)
        run.times.append(match.next().captured(1).toDouble());
    const QRegularExpressionMatch summed = summary.match(output);
    run.minMs = summed.captured(1).toDouble();
    run.meanMs = summed.captured(2).toDouble();
    run.maxMs = summed.captured(3).toDouble();
    run.received = received.match(output).captured(1).toInt();
    run.interPacketGapMs = gap.match(output).captured(1).toDouble();
}

} // namespace

PingRun runPing(const QStringList& command, int timeoutMs)
{
    PingRun run;
    QProcess ping;
    ping.start(command.front(), command.mid(1));
    if (!ping.waitForFinished(timeoutMs)) {
        ping.kill();
        ping.waitForFinished();
        run.failure = u"%1 did not end within %2 ms"_s.arg(command.join(u' ')).arg(timeoutMs);
        return run;
    }
    readOutput(QString::fromLocal8Bit(ping.readAllStandardOutput()), run);
    if (run.received == 0)
        run.failure =
            u"%1: %2"_s.arg(command.join(u' '), QString::fromLocal8Bit(ping.readAllStandardError()).trimmed());
    return run;
}

} // namespace bench
