#pragma once

#include "platform/echo_status.h"

#include <cstdint>

namespace platform {

class IcmpSocket;

// What one echo request came to.
struct EchoOutcome {
    std::int32_t status = EchoStatus::Success;
    std::uint32_t replyAddress = 0; // who answered, network byte order; 0 when nobody did
    std::int32_t roundTripMs = 0;   // whole milliseconds; on a timeout, the time waited
};

// Sends one echo request carrying "hello" and `sequence` to `target` (network
// byte order) on `socket`, and waits at most 1000 ms for the reply or an ICMP
// error about it, passing over everything else. The round trip is taken from
// the kernel's arrival time. A readable `stopDescriptor` (-1 for none) cuts
// the wait short, with a timeout as the outcome.
EchoOutcome exchangeEcho(IcmpSocket& socket, std::uint32_t target, std::uint16_t sequence, int stopDescriptor);

} // namespace platform
