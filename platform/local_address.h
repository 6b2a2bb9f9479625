#pragma once

#include <QString>

namespace platform {

// This machine's primary IPv4 address as dotted text: that of the interface
// carrying the default route, else of the first interface that is up and not
// loopback, else "127.0.0.1". Found without sending anything.
QString localIPv4Address();

} // namespace platform
