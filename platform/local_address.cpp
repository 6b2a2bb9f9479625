#include "platform/local_address.h"

#include <QFile>
#include <QTextStream>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// The kernel's routing table names the interface of the default route
// (destination 00000000).
QString defaultRouteInterface()
{
    QFile routes(u"/proc/net/route"_s);
    if (!routes.open(QIODevice::ReadOnly))
        return {};
    QTextStream lines(&routes);
    lines.readLine(); // column names
    while (!lines.atEnd()) {
        const QStringList fields = lines.readLine().split(u'\t', Qt::SkipEmptyParts);
        if (fields.size() > 1 && fields[1] == u"00000000"_s)
            return fields[0].trimmed();
    }
    return {};
}

QString dotted(const sockaddr* address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

bool isUsableIPv4(const ifaddrs& entry)
{
    return entry.ifa_addr && entry.ifa_addr->sa_family == AF_INET && (entry.ifa_flags & IFF_UP)
           && !(entry.ifa_flags & IFF_LOOPBACK);
}

} // namespace

QString localIPv4Address()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return u"127.0.0.1"_s;
    std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, freeifaddrs);

    const QString routeInterface = defaultRouteInterface();
    QString firstUp;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!isUsableIPv4(*entry))
            continue;
        if (QString::fromLocal8Bit(entry->ifa_name) == routeInterface)
            return dotted(entry->ifa_addr);
        if (firstUp.isEmpty())
            firstUp = dotted(entry->ifa_addr);
    }
    return firstUp.isEmpty() ? u"127.0.0.1"_s : firstUp;
}

} // namespace platform
