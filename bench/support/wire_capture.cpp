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
    m_tcpdump.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), namespaceName,
                                          QStringLiteral("tcpdump"), QStringLiteral("-i"), QStringLiteral("any"),
                                          QStringLiteral("-n"), QStringLiteral("-tt"), QStringLiteral("-l"),
                                          QStringLiteral("icmp")});
    // tcpdump says it listens on its error output.
    QByteArray said;
    for (int waited = 0; !m_listening && waited < StartTimeoutMs && m_tcpdump.state() != QProcess::NotRunning;
         waited += 50) {
        m_tcpdump.waitForFinished(50);
        said += m_tcpdump.readAllStandardError();
        m_listening = said.contains("listening on");
    }
}

WireCapture::~WireCapture()
{
    m_tcpdump.kill();
    m_tcpdump.waitForFinished();
}

QList<double> WireCapture::roundTrips()
{
    QThread::msleep(FlushMs);
    m_tcpdump.terminate();
    m_tcpdump.waitForFinished(StartTimeoutMs);
    static const QRegularExpression packet(
        QStringLiteral("^(\\d+\\.\\d+) .*ICMP echo (request|reply), id (\\d+), seq (\\d+)"));
    QList<QString> order;
    QMap<QString, double> sentAt;
    QMap<QString, double> answeredAt;
    for (const QByteArray& line : m_tcpdump.readAllStandardOutput().split('\n')) {
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
