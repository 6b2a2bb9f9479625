#include "support/system_ping.h"

#include <QProcess>
#include <QRegularExpression>

namespace bench {

namespace {

void readOutput(const QString& output, PingRun& run)
{
    static const QRegularExpression replyTime(QStringLiteral("time=([0-9.]+) ms"));
    static const QRegularExpression received(QStringLiteral("(\\d+) received"));
    static const QRegularExpression summary(QStringLiteral("min/avg/max/mdev = ([0-9.]+)/([0-9.]+)/([0-9.]+)/"));
    static const QRegularExpression gap(QStringLiteral("ipg/ewma ([0-9.]+)/"));
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
        run.failure = QStringLiteral("%1 did not end within %2 ms").arg(command.join(u' ')).arg(timeoutMs);
        return run;
    }
    readOutput(QString::fromLocal8Bit(ping.readAllStandardOutput()), run);
    if (run.received == 0)
        run.failure = QStringLiteral("%1: %2").arg(command.join(u' '),
                                                    QString::fromLocal8Bit(ping.readAllStandardError()).trimmed());
    return run;
}

} // namespace bench
