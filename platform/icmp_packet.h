#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Building and reading ICMP echo messages. Pure functions over bytes, safe
// against any input, so that the socket code stays a thin shell around them.
namespace platform {

namespace IcmpType {
constexpr std::uint8_t EchoReply = 0;
constexpr std::uint8_t DestinationUnreachable = 3;
constexpr std::uint8_t EchoRequest = 8;
constexpr std::uint8_t TimeExceeded = 11;
constexpr std::uint8_t ParameterProblem = 12;
} // namespace IcmpType

constexpr std::size_t IcmpHeaderSize = 8;

// Error messages that say a request was dropped on its way.
bool isIcmpError(std::uint8_t type);

// The eight header bytes, in host byte order. For error messages
// identifier and sequence are the unused bytes.
struct IcmpHeader {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
};

// The packet an ICMP error quotes: where it went and its ICMP header.
struct QuotedPacket {
    std::uint32_t destination = 0; // network byte order
    IcmpHeader header;
};

struct ParsedIcmp {
    IcmpHeader header;
    bool checksumValid = false;
    std::span<const std::uint8_t> body; // what follows the header
    std::optional<QuotedPacket> quoted; // error messages only
};

// An ICMP error as a ping socket's error queue hands it over: the kernel has
// checked and removed the error message and keeps only the quoted request.
struct QueuedError {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint32_t quotedDestination = 0; // network byte order
};

// One message as a socket read it.
struct ReceivedIcmp {
    std::vector<std::uint8_t> bytes; // raw socket: IP header and ICMP; ping socket: ICMP; error queue: quoted ICMP
    std::uint32_t sender = 0;        // network byte order
    bool withIpHeader = false;
    std::optional<QueuedError> queuedError;
    // When the kernel received it, by the wall clock, as the socket reports it.
    std::optional<std::chrono::system_clock::time_point> arrivedAt;
};

// The request a probe is waiting on.
struct OurRequest {
    std::uint32_t target = 0; // network byte order
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    std::span<const std::uint8_t> payload;
};

enum class IcmpMatch { NotOurs, OurEchoReply, OurError };

// One's complement sum as in RFC 1071; a message whose checksum field is
// right sums to 0.
std::uint16_t internetChecksum(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> buildIcmpMessage(const IcmpHeader& header, std::span<const std::uint8_t> body);
std::vector<std::uint8_t> buildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                           std::span<const std::uint8_t> payload);

// nullopt when the bytes are not a whole IPv4 ICMP message.
std::optional<ParsedIcmp> parseIcmpPacket(std::span<const std::uint8_t> bytes, bool withIpHeader);
std::optional<ParsedIcmp> parseReceived(const ReceivedIcmp& message);

IcmpMatch classifyIcmp(const ParsedIcmp& message, std::uint32_t sender, const OurRequest& ours);

} // namespace platform
