#include "platform/icmp_packet.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr std::size_t MinimumIpHeaderSize = 20;
constexpr std::uint8_t IcmpProtocol = 1;
constexpr std::uint16_t FragmentBits = 0x3FFF; // "more fragments" and the offset

std::uint16_t readBigEndian16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void writeBigEndian16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value);
}

// Addresses stay in network byte order, as the sockets hand them over.
std::uint32_t readAddress(std::span<const std::uint8_t> bytes, std::size_t at)
{
    std::uint32_t address = 0;
    std::memcpy(&address, bytes.data() + at, sizeof address);
    return address;
}

// Length of a well-formed IPv4 header that carries ICMP.
std::optional<std::size_t> icmpIpHeaderLength(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < MinimumIpHeaderSize)
        return std::nullopt;
    const unsigned version = bytes[0] >> 4;
    const std::size_t length = (bytes[0] & 0x0Fu) * 4u;
    if (version != 4 || length < MinimumIpHeaderSize || length > bytes.size() || bytes[9] != IcmpProtocol)
        return std::nullopt;
    return length;
}

// The ICMP message of a whole, unfragmented IPv4 packet.
std::optional<std::span<const std::uint8_t>> ipPayload(std::span<const std::uint8_t> packet)
{
    const auto headerLength = icmpIpHeaderLength(packet);
    if (!headerLength)
        return std::nullopt;
    const std::size_t totalLength = readBigEndian16(packet, 2);
    const bool fragment = (readBigEndian16(packet, 6) & FragmentBits) != 0;
    if (fragment || totalLength < *headerLength || totalLength > packet.size())
        return std::nullopt;
    return packet.subspan(*headerLength, totalLength - *headerLength);
}

// `icmp` holds at least IcmpHeaderSize bytes.
IcmpHeader readHeader(std::span<const std::uint8_t> icmp)
{
    return {icmp[0], icmp[1], readBigEndian16(icmp, 4), readBigEndian16(icmp, 6)};
}

// Routers may cut the quoted packet after the first eight bytes of its
// payload, so only that much is required.
std::optional<QuotedPacket> parseQuoted(std::span<const std::uint8_t> body)
{
    const auto headerLength = icmpIpHeaderLength(body);
    if (!headerLength || body.size() < *headerLength + IcmpHeaderSize)
        return std::nullopt;
    return QuotedPacket{readAddress(body, 16), readHeader(body.subspan(*headerLength))};
}

bool isOurEchoReply(const ParsedIcmp& message, std::uint32_t sender, const OurRequest& ours)
{
    const IcmpHeader& header = message.header;
    return header.type == IcmpType::EchoReply && header.code == 0 && header.identifier == ours.identifier
           && header.sequence == ours.sequence && sender == ours.target
           && std::ranges::equal(message.body, ours.payload);
}

bool quotesOurRequest(const ParsedIcmp& message, const OurRequest& ours)
{
    if (!isIcmpError(message.header.type) || !message.quoted)
        return false;
    const QuotedPacket& quoted = *message.quoted;
    return quoted.destination == ours.target && quoted.header.type == IcmpType::EchoRequest
           && quoted.header.identifier == ours.identifier && quoted.header.sequence == ours.sequence;
}

} // namespace

bool isIcmpError(std::uint8_t type)
{
    return type == IcmpType::DestinationUnreachable || type == IcmpType::TimeExceeded
           || type == IcmpType::ParameterProblem;
}

std::uint16_t internetChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint64_t sum = 0;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        sum += readBigEndian16(bytes, at);
    if (bytes.size() % 2 != 0)
        sum += static_cast<std::uint64_t>(bytes.back()) << 8;
    while (sum >> 16 != 0)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::vector<std::uint8_t> buildIcmpMessage(const IcmpHeader& header, std::span<const std::uint8_t> body)
{
    std::vector<std::uint8_t> message(IcmpHeaderSize + body.size());
    message[0] = header.type;
    message[1] = header.code;
    writeBigEndian16(message, 4, header.identifier);
    writeBigEndian16(message, 6, header.sequence);
    std::ranges::copy(body, message.begin() + IcmpHeaderSize);
    writeBigEndian16(message, 2, internetChecksum(message));
    return message;
}

std::vector<std::uint8_t> buildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                           std::span<const std::uint8_t> payload)
{
    return buildIcmpMessage({IcmpType::EchoRequest, 0, identifier, sequence}, payload);
}

std::optional<ParsedIcmp> parseIcmpPacket(std::span<const std::uint8_t> bytes, bool withIpHeader)
{
    const auto icmp = withIpHeader ? ipPayload(bytes) : std::optional(bytes);
    if (!icmp || icmp->size() < IcmpHeaderSize)
        return std::nullopt;
    ParsedIcmp parsed{readHeader(*icmp), internetChecksum(*icmp) == 0, icmp->subspan(IcmpHeaderSize), std::nullopt};
    if (isIcmpError(parsed.header.type))
        parsed.quoted = parseQuoted(parsed.body);
    return parsed;
}

std::optional<ParsedIcmp> parseReceived(const ReceivedIcmp& message)
{
    if (!message.queuedError)
        return parseIcmpPacket(message.bytes, message.withIpHeader);
    if (message.bytes.size() < IcmpHeaderSize)
        return std::nullopt;
    const QueuedError& error = *message.queuedError;
    // The kernel checked the error message before queueing it.
    return ParsedIcmp{
        {error.type, error.code, 0, 0}, true, {}, QuotedPacket{error.quotedDestination, readHeader(message.bytes)}};
}

IcmpMatch classifyIcmp(const ParsedIcmp& message, std::uint32_t sender, const OurRequest& ours)
{
    if (!message.checksumValid)
        return IcmpMatch::NotOurs;
    if (isOurEchoReply(message, sender, ours))
        return IcmpMatch::OurEchoReply;
    if (quotesOurRequest(message, ours))
        return IcmpMatch::OurError;
    return IcmpMatch::NotOurs;
}

} // namespace platform
