#include "platform/echo_exchange.h"

#include "platform/icmp_packet.h"
#include "platform/icmp_socket.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
using WallClock = std::chrono::system_clock;
constexpr std::chrono::milliseconds ReplyTimeout{1000};
constexpr std::array<std::uint8_t, 5> Payload{'h', 'e', 'l', 'l', 'o'};
constexpr int MessagesPerLook = 64;

struct Answer {
    std::int32_t status;
    std::uint32_t replyAddress;
    std::optional<WallClock::time_point> arrivedAt;
};

Answer unanswered(std::int32_t status)
{
    return {status, 0, std::nullopt};
}

std::int32_t statusForUnreachable(std::uint8_t code)
{
    switch (code) {
    case 0:
    case 6:
    case 9:
    case 11: // unreachable, unknown, prohibited, unreachable for the service type
        return EchoStatus::DestinationNetUnreachable;
    case 2: return EchoStatus::DestinationProtocolUnreachable;
    case 3: return EchoStatus::DestinationPortUnreachable;
    case 4:
    case 5: // needs fragmenting, source route failed
        return EchoStatus::GeneralFailure;
    default: return EchoStatus::DestinationHostUnreachable;
    }
}

std::int32_t statusForError(const IcmpHeader& error)
{
    if (error.type == IcmpType::DestinationUnreachable)
        return statusForUnreachable(error.code);
    if (error.type == IcmpType::TimeExceeded && error.code == 0)
        return EchoStatus::TtlExpiredTransit;
    return EchoStatus::GeneralFailure;
}

std::optional<Answer> answerIn(const ReceivedIcmp& message, const OurRequest& ours)
{
    const auto parsed = parseReceived(message);
    if (!parsed)
        return std::nullopt;
    switch (classifyIcmp(*parsed, message.sender, ours)) {
    case IcmpMatch::OurEchoReply: return Answer{EchoStatus::Success, message.sender, message.arrivedAt};
    case IcmpMatch::OurError: return Answer{statusForError(parsed->header), message.sender, message.arrivedAt};
    case IcmpMatch::NotOurs: break;
    }
    return std::nullopt;
}

// Reads what has come, a few messages at a time: anyone can send messages
// faster than they are read, and a flood of them must neither hold the
// probe past its timeout nor keep a stop waiting.
std::optional<Answer> readSomeForOurs(IcmpSocket& socket, const OurRequest& ours)
{
    for (int read = 0; read < MessagesPerLook; ++read) {
        const auto message = socket.receive();
        if (!message)
            break;
        if (const auto answer = answerIn(*message, ours))
            return answer;
    }
    return std::nullopt;
}

Answer awaitAnswer(IcmpSocket& socket, const OurRequest& ours, Clock::time_point deadline, int stopDescriptor)
{
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        switch (socket.wait(std::chrono::ceil<std::chrono::milliseconds>(deadline - now), stopDescriptor)) {
        case WaitOutcome::Readable:
            if (const auto answer = readSomeForOurs(socket, ours))
                return *answer;
            break;
        case WaitOutcome::Stopped: return unanswered(EchoStatus::TimedOut);
        case WaitOutcome::Failed: return unanswered(EchoStatus::GeneralFailure);
        case WaitOutcome::Idle: break;
        }
    }
    return unanswered(EchoStatus::TimedOut);
}

// Whole milliseconds, truncated; without an arrival, the time waited. The
// kernel's arrival time leaves out how late this thread woke up; the
// monotonic clock bounds it should the wall clock be set meanwhile.
std::int32_t roundTripMs(Clock::time_point sentAt, WallClock::time_point sentAtWall,
                         std::optional<WallClock::time_point> arrivedAt)
{
    using std::chrono::nanoseconds;
    const nanoseconds waited = Clock::now() - sentAt;
    const nanoseconds measured = arrivedAt ? std::clamp<nanoseconds>(*arrivedAt - sentAtWall, {}, waited) : waited;
    return static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(measured).count());
}

} // namespace

EchoOutcome exchangeEcho(IcmpSocket& socket, std::uint32_t target, std::uint16_t sequence, int stopDescriptor)
{
    const OurRequest ours{target, socket.identifier(), sequence, Payload};
    const auto request = buildEchoRequest(ours.identifier, ours.sequence, ours.payload);
    const auto sentAt = Clock::now();
    const auto sentAtWall = WallClock::now();
    const Answer answer = socket.send(target, request)
                              ? awaitAnswer(socket, ours, sentAt + ReplyTimeout, stopDescriptor)
                              : unanswered(EchoStatus::GeneralFailure);
    return {answer.status, answer.replyAddress, roundTripMs(sentAt, sentAtWall, answer.arrivedAt)};
}

} // namespace platform
