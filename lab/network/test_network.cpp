#include "network/test_network.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int CommandTimeoutMs = 10'000;

QString proberLink()
{
    return u"ozp%1"_s.arg(QCoreApplication::applicationPid());
}

QString responderLink()
{
    return u"ozr%1"_s.arg(QCoreApplication::applicationPid());
}

} // namespace

TestNetwork::TestNetwork()
    : m_proberNamespace(u"orienzo-prober-%1"_s.arg(QCoreApplication::applicationPid())),
      m_responderNamespace(u"orienzo-responder-%1"_s.arg(QCoreApplication::applicationPid()))
{
    if (::geteuid() != 0) {
        m_failure = u"needs root to create a network namespace"_s;
        return;
    }
    // The namespaces of runs that were killed carry the ids of processes that are gone.
    QProcess::execute(QString::fromUtf8(REMOVE_LEFTOVERS), {});
    m_ready = build();
}

TestNetwork::~TestNetwork()
{
    stopResponder();
    // Deleting a namespace takes its end of the veth pair, and so the pair, along.
    run({u"netns"_s, u"delete"_s, m_proberNamespace});
    run({u"netns"_s, u"delete"_s, m_responderNamespace});
}

bool TestNetwork::build()
{
    const QString prober = m_proberNamespace;
    const QString responder = m_responderNamespace;
    const QList<QStringList> commands{
        {u"netns"_s, u"add"_s, prober},
        {u"netns"_s, u"add"_s, responder},
        {u"link"_s, u"add"_s, proberLink(), u"netns"_s, prober, u"type"_s, u"veth"_s, u"peer"_s, u"name"_s,
         responderLink(), u"netns"_s, responder},
        {u"-n"_s, prober, u"address"_s, u"add"_s, QLatin1StringView(ProberAddress) + u"/24"_s, u"dev"_s, proberLink()},
        {u"-n"_s, responder, u"address"_s, u"add"_s, QLatin1StringView(ResponderAddress) + u"/24"_s, u"dev"_s,
         responderLink()},
        {u"-n"_s, responder, u"address"_s, u"add"_s, QLatin1StringView(SecondResponderAddress) + u"/24"_s, u"dev"_s,
         responderLink()},
        {u"-n"_s, prober, u"link"_s, u"set"_s, u"lo"_s, u"up"_s},
        {u"-n"_s, prober, u"link"_s, u"set"_s, proberLink(), u"up"_s},
        {u"-n"_s, responder, u"link"_s, u"set"_s, responderLink(), u"up"_s},
    };
    const bool built = std::ranges::all_of(commands, [this](const QStringList& command) { return run(command); })
                       && setIpv4Setting(responder, u"icmp_echo_ignore_all"_s, "1");
    if (!built)
        m_failure = u"needs root to create a network namespace: "_s + m_failure;
    return built;
}

bool TestNetwork::isReady() const
{
    return m_ready;
}

QString TestNetwork::failure() const
{
    return m_failure;
}

QString TestNetwork::proberNamespace() const
{
    return m_proberNamespace;
}

bool TestNetwork::allowPingSockets(bool allowed)
{
    return setIpv4Setting(m_proberNamespace, u"ping_group_range"_s, allowed ? "0 2147483647" : "1 0");
}

bool TestNetwork::startResponder(const QString& program, const QStringList& arguments)
{
    stopResponder();
    m_responder.start(u"ip"_s, QStringList{u"netns"_s, u"exec"_s, m_responderNamespace, program} + arguments);
    return m_responder.waitForReadyRead(CommandTimeoutMs) && m_responder.readLine().trimmed() == "ready";
}

void TestNetwork::stopResponder()
{
    if (m_responder.state() == QProcess::NotRunning)
        return;
    m_responder.kill();
    m_responder.waitForFinished(CommandTimeoutMs);
}

// /proc/sys/net shows the settings of the network namespace of the thread
// that opens it.
bool TestNetwork::setIpv4Setting(const QString& namespaceName, const QString& name, const QByteArray& value)
{
    const NamespaceVisit visit(namespaceName);
    QFile setting(u"/proc/sys/net/ipv4/"_s + name);
    const bool written = visit.isActive() && setting.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && setting.write(value) == value.size();
    if (!written)
        m_failure = u"cannot set net.ipv4.%1 in %2"_s.arg(name, namespaceName);
    return written;
}

bool TestNetwork::run(const QStringList& arguments)
{
    QProcess ip;
    ip.start(u"ip"_s, arguments);
    const bool succeeded =
        ip.waitForFinished(CommandTimeoutMs) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0;
    if (!succeeded)
        m_failure =
            u"ip %1: %2"_s.arg(arguments.join(u' '), QString::fromLocal8Bit(ip.readAllStandardError()).trimmed());
    return succeeded;
}

NamespaceVisit::NamespaceVisit(const QString& name) : m_home(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC))
{
    const int visited = ::open(QFile::encodeName(u"/run/netns/"_s + name).constData(), O_RDONLY | O_CLOEXEC);
    m_active = m_home >= 0 && visited >= 0 && ::setns(visited, CLONE_NEWNET) == 0;
    if (visited >= 0)
        ::close(visited);
}

NamespaceVisit::~NamespaceVisit()
{
    if (m_active)
        ::setns(m_home, CLONE_NEWNET);
    if (m_home >= 0)
        ::close(m_home);
}

bool NamespaceVisit::isActive() const
{
    return m_active;
}

quint64 echoRequestsSentHere()
{
    // Two "IcmpMsg:" lines: the counters' names, then their values; a counter
    // still at 0 is not listed.
    QFile snmp(u"/proc/thread-self/net/snmp"_s);
    if (!snmp.open(QIODevice::ReadOnly))
        return 0;
    QStringList names;
    for (const QString& line : QTextStream(&snmp).readAll().split(u'\n')) {
        if (!line.startsWith(u"IcmpMsg:"))
            continue;
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (names.isEmpty())
            names = fields;
        else
            return fields.value(names.indexOf(u"OutType8"_s)).toULongLong();
    }
    return 0;
}
