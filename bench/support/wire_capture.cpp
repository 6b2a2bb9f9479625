#include "support/wire_capture.h"

#include <QMap>
#include <QRegularExpression>
#include <QThread>

namespace bench {

namespace {

constexpr int StartTimeoutMs = 5000;
// What tcpdump has printed by the time it says it listens need not be the
// whole of its first packets; a moment more lets it flush them.
constexpr int FlushMs = 200;

} // namespace

WireCapture::WireCapture(const QString& namespaceName)
{
    tcpdump_.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), namespaceName,
                                          QStringLiteral("tcpdump"), QStringLiteral("-i"), QStringLiteral("any"),
                                          QStringLiteral("-n"), QStringLiteral("-tt"), QStringLiteral("-l"),
                                          QStringLiteral("icmp")});
    // tcpdump says it listens on its error output.
    QByteArray said;
    for (int waited = 0; !listening_ && waited < StartTimeoutMs && tcpdump_.state() != QProcess::NotRunning;
         waited += 50) {
        tcpdump_.waitForFinished(50);
        said += tcpdump_.readAllStandardError();
        listening_ = said.contains("listening on");
    }
}

WireCapture::~WireCapture()
{
    tcpdump_.kill();
    tcpdump_.waitForFinished();
}

QList<double> WireCapture::roundTrips()
{
    QThread::msleep(FlushMs);
    tcpdump_.terminate();
    tcpdump_.waitForFinished(StartTimeoutMs);
    static const QRegularExpression packet(
        QStringLiteral("^(\\d+\\.\\d+) .*ICMP echo (request|reply), id (\\d+), seq (\\d+)"));
    QList<QString> order;
    QMap<QString, double> sentAt;
    QMap<QString, double> answeredAt;
    for (const QByteArray& line : tcpdump_.readAllStandardOutput().split('\n')) {
        const QRegularExpressionMatch match = packet.match(QString::fromLatin1(line));
        if (!match.hasMatch())
            continue;
        const QString key = match.captured(3) + u'/' + match.captured(4);
        const double at = match.captured(1).toDouble() * 1000;
        if (match.captured(2) == QLatin1String("request")) {
            order.append(key);
            sentAt[key] = at;
        } else {
            answeredAt[key] = at;
        }
    }
    QList<double> times;
    for (const QString& key : order)
        if (answeredAt.contains(key))
            times.append(answeredAt[key] - sentAt[key]);
    return times;
}

} // namespace bench
