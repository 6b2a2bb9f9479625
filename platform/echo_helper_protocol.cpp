#include "platform/echo_helper_protocol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

namespace platform {
namespace {

constexpr std::string_view Unavailable = "unavailable";

// Digits only, without a leading zero, up to `maximum`.
std::optional<std::uint32_t> readDecimal(std::string_view text, std::uint32_t maximum)
{
    const bool digitsOnly =
        !text.empty() && text.size() <= 10 && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value > maximum)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;; ++at) {
        const std::size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        if (end == text.size())
            return parts;
        at = end;
    }
}

std::string dottedAddress(std::uint32_t address)
{
    std::array<std::uint8_t, 4> octets{};
    std::memcpy(octets.data(), &address, sizeof address);
    return std::to_string(octets[0]) + '.' + std::to_string(octets[1]) + '.' + std::to_string(octets[2]) + '.'
           + std::to_string(octets[3]);
}

std::optional<std::uint32_t> readDottedAddress(std::string_view text)
{
    const auto parts = split(text, '.');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<std::uint8_t, 4> octets{};
    for (std::size_t index = 0; index < octets.size(); ++index) {
        const auto octet = readDecimal(parts[index], 255);
        if (!octet)
            return std::nullopt;
        octets[index] = static_cast<std::uint8_t>(*octet);
    }
    std::uint32_t address = 0;
    std::memcpy(&address, octets.data(), sizeof address);
    return address;
}

std::optional<EchoOutcome> readOutcome(const std::vector<std::string_view>& fields)
{
    constexpr auto Largest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    const auto status = readDecimal(fields[0], Largest);
    const auto milliseconds = readDecimal(fields[1], Largest);
    const auto address = readDottedAddress(fields[2]);
    if (!status || !milliseconds || !address)
        return std::nullopt;
    return EchoOutcome{static_cast<std::int32_t>(*status), *address, static_cast<std::int32_t>(*milliseconds)};
}

} // namespace

std::string echoRequestLine(const EchoHelperRequest& request)
{
    return dottedAddress(request.target) + ' ' + std::to_string(request.sequence) + '\n';
}

std::variant<EchoHelperRequest, std::string> readEchoRequestLine(std::string_view line)
{
    if (line.size() > LongestRequestLine)
        return std::string("a request is one line of at most 21 characters");
    const auto fields = split(line, ' ');
    if (fields.size() != 2)
        return std::string("a request is an IPv4 address as four decimal octets, a space and a sequence number");
    const auto target = readDottedAddress(fields[0]);
    if (!target)
        return std::string("not an IPv4 address as four decimal octets: the request's first field");
    if (*target == 0 || *target == 0xFFFFFFFF)
        return std::string("no echo request goes to 0.0.0.0 or 255.255.255.255");
    const auto sequence = readDecimal(fields[1], std::numeric_limits<std::uint16_t>::max());
    if (!sequence)
        return std::string("not a sequence number from 0 to 65535: the request's second field");
    return EchoHelperRequest{*target, static_cast<std::uint16_t>(*sequence)};
}

std::string echoAnswerLine(const EchoOutcome& outcome)
{
    return std::to_string(outcome.status) + ' ' + std::to_string(outcome.roundTripMs) + ' '
           + dottedAddress(outcome.replyAddress) + '\n';
}

std::string unavailableLine(int openError)
{
    return std::string(Unavailable) + ' ' + std::to_string(openError) + '\n';
}

std::optional<EchoHelperAnswer> readEchoHelperAnswer(std::string_view text)
{
    if (!text.ends_with('\n'))
        return std::nullopt;
    const auto fields = split(text.substr(0, text.size() - 1), ' ');
    if (fields.size() == 2 && fields[0] == Unavailable) {
        const auto error = readDecimal(fields[1], std::numeric_limits<std::int32_t>::max());
        if (!error || *error == 0)
            return std::nullopt;
        return EchoHelperAnswer{std::nullopt, static_cast<int>(*error)};
    }
    if (fields.size() != 3)
        return std::nullopt;
    const auto outcome = readOutcome(fields);
    if (!outcome)
        return std::nullopt;
    return EchoHelperAnswer{outcome, 0};
}

} // namespace platform
