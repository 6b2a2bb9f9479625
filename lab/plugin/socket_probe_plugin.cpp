// A Qt image-format plugin such as any user can make the program load, by
// putting it on QT_PLUGIN_PATH. Loaded, it tries the sockets that CAP_NET_RAW
// would let it open, a packet socket and a raw IP socket, and writes down
// what it got and the capabilities of its thread, to the file that
// ORIENZO_PLUGIN_REPORT names.

#include <QFile>
#include <QImageIOPlugin>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray attempt(int domain, int type, int protocol)
{
    const int descriptor = ::socket(domain, type, protocol);
    if (descriptor < 0)
        return std::strerror(errno);
    ::close(descriptor);
    return "opened";
}

QByteArray capabilityLines()
{
    QFile status(u"/proc/thread-self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return {};
    QByteArray lines;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("CapPrm:") || line.startsWith("CapEff:"))
            lines += line + '\n';
    return lines;
}

void reportOnLoad()
{
    QFile report(qEnvironmentVariable("ORIENZO_PLUGIN_REPORT"));
    if (!report.open(QIODevice::Append))
        return;
    // ETH_P_ALL, in network byte order, as packet sockets take it.
    report.write("packet socket: " + attempt(AF_PACKET, SOCK_RAW, htons(0x0003)) + '\n');
    report.write("raw socket: " + attempt(AF_INET, SOCK_RAW, IPPROTO_RAW) + '\n');
    report.write(capabilityLines());
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(reportOnLoad)

class SocketProbePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "socket_probe_plugin.json")
public:
    Capabilities capabilities(QIODevice*, const QByteArray&) const override { return {}; }
    QImageIOHandler* create(QIODevice*, const QByteArray&) const override { return nullptr; }
};

#include "socket_probe_plugin.moc"
