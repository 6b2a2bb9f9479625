// Feeds four arbitrary octet texts along the path from the address boxes to
// the probe's address.
#include "core/target_address.h"
#include "platform/inet_address.h"

#include <QStringList>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QStringList octets = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'\x1f');
    while (octets.size() < 4)
        octets << QString();
    const QString address = dottedAddress(octets[0], octets[1], octets[2], octets[3]);
    const std::uint32_t value = platform::inetAddress(address);
    // A text holding a NUL never reads as an address.
    if (address.contains(QChar(0)) && value != platform::InetAddressNone)
        std::abort();
    return 0;
}
