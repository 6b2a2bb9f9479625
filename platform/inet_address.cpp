#include "platform/inet_address.h"

#include <arpa/inet.h>

namespace platform {

std::uint32_t inetAddress(const QString& text)
{
    if (text.contains(QChar::Null))
        return InetAddressNone;
    return ::inet_addr(text.toLatin1().constData());
}

} // namespace platform
