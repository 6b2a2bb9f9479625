#pragma once

#include "platform/echo_exchange.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// What the program with the windows and its echo helper say to each other:
// one line a request, and one line an answer. Both sides read strictly and
// refuse anything that the other side would not write.
namespace platform {

struct EchoHelperRequest {
    std::uint32_t target = 0; // network byte order
    std::uint16_t sequence = 0;
};

// The longest request line, "255.255.255.255 65535", without its newline.
constexpr std::size_t LongestRequestLine = 21;

// "<address> <sequence>\n": the address as four decimal octets, and the
// sequence number.
std::string echoRequestLine(const EchoHelperRequest& request);
// The request in one line without its newline, or why the line is refused.
// The address must be neither 0.0.0.0 nor 255.255.255.255, the addresses a
// probe never sends to.
std::variant<EchoHelperRequest, std::string> readEchoRequestLine(std::string_view line);

// "<status> <milliseconds> <address>\n", or "unavailable <errno>\n" when no
// raw socket could be opened.
std::string echoAnswerLine(const EchoOutcome& outcome);
std::string unavailableLine(int openError);

struct EchoHelperAnswer {
    std::optional<EchoOutcome> outcome;
    int openError = 0; // when there is no outcome
};

// nullopt for anything but one of the two lines.
std::optional<EchoHelperAnswer> readEchoHelperAnswer(std::string_view text);

} // namespace platform
