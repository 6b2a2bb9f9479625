// Feeds arbitrary bytes to the reading of a received ICMP message, in both
// the raw-socket form (with IP header) and the ping-socket form (without).
#include "platform/icmp_packet.h"

#include <array>
#include <cstdint>

namespace {

const std::array<std::uint8_t, 5> Payload{'h', 'e', 'l', 'l', 'o'};

void readAs(std::span<const std::uint8_t> bytes, bool withIpHeader, std::uint32_t sender)
{
    const platform::OurRequest ours{0x0100007F, 0x1234, 7, Payload};
    if (const auto parsed = platform::parseIcmpPacket(bytes, withIpHeader))
        platform::classifyIcmp(*parsed, sender, ours);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the sender: the target or someone else.
    const std::uint32_t sender = data[0] & 1 ? 0x0100007F : 0x0200007F;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    readAs(bytes, true, sender);
    readAs(bytes, false, sender);
    return 0;
}
