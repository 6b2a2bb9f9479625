#pragma once

#include <QString>
#include <cstdint>

namespace platform {

constexpr std::uint32_t InetAddressNone = 0xFFFFFFFF;

// The address as the C library's inet_addr reads the text in Latin-1, so
// leading zeros mean octal, "0x" hex and "127.1" a short form. Network byte
// order; InetAddressNone when it cannot be read, as for any text holding a
// NUL character, which inet_addr would silently stop at.
std::uint32_t inetAddress(const QString& text);

} // namespace platform
