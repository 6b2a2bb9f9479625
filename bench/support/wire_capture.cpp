#include "support/wire_capture.h"

#include <QMap>
#include <QRegularExpression>
#include <QThread>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

constexpr int StartTimeoutMs = 5000;
// What tcpdump has printed by the time it says it listens need not be the
// whole of its first packets; a moment more lets it flush them.
constexpr int FlushMs = 200;

} // namespace

WireCapture::WireCapture(const QString& namespaceName)
{
    m_tcpdump.start(u"ip"_s, {u"netns"_s, u"exec"_s, namespaceName, u"tcpdump"_s, u"-i"_s, u"any"_s, u"-n"_s, u"-tt"_s,
                              u"-l"_s, u"icmp"_s});
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
    static const QRegularExpression packet(u"^(\\d+\\.\\d+) .*ICMP echo (request|reply), id (\\d+), seq (\\d+)"_s);
    QList<QString> order;
    QMap<QString, double> sentAt;
    QMap<QString, double> answeredAt;
    for (const QByteArray& line : m_tcpdump.readAllStandardOutput().split('\n')) {
        const QRegularExpressionMatch match = packet.match(QString::fromLatin1(line));
        if (!match.hasMatch())
            continue;
        const QString key = match.captured(3) + u'/' + match.captured(4);
        const double at = match.captured(1).toDouble() * 1000;
        if (match.captured(2) == u"request"_s) {
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
