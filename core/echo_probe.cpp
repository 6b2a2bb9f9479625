#include "core/echo_probe.h"

#include "core/icmp_unavailable.h"
#include "platform/icmp_packet.h"
#include "platform/icmp_socket.h"
#include "platform/inet_address.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;
using WallClock = std::chrono::system_clock;
constexpr std::chrono::milliseconds ReplyTimeout{1000};
constexpr std::array<std::uint8_t, 5> Payload{'h', 'e', 'l', 'l', 'o'};
constexpr int MessagesPerLook = 64;

// Shared by every probe of the process, so that a reply arriving late for
// one request never passes for the next one's.
std::atomic<std::uint16_t> lastSequence{0};

QMutex startupFailureMutex;
QString startupFailure;

struct Outcome {
    qint32 status;
    std::uint32_t replyAddress;
    std::optional<WallClock::time_point> arrivedAt;
};

Outcome unanswered(qint32 status)
{
    return {status, 0, std::nullopt};
}

qint32 statusForUnreachable(std::uint8_t code)
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

qint32 statusForError(const platform::IcmpHeader& error)
{
    if (error.type == platform::IcmpType::DestinationUnreachable)
        return statusForUnreachable(error.code);
    if (error.type == platform::IcmpType::TimeExceeded && error.code == 0)
        return EchoStatus::TtlExpiredTransit;
    return EchoStatus::GeneralFailure;
}

std::optional<Outcome> outcomeOf(const platform::ReceivedIcmp& message, const platform::OurRequest& ours)
{
    const auto parsed = platform::parseReceived(message);
    if (!parsed)
        return std::nullopt;
    switch (platform::classifyIcmp(*parsed, message.sender, ours)) {
    case platform::IcmpMatch::OurEchoReply: return Outcome{EchoStatus::Success, message.sender, message.arrivedAt};
    case platform::IcmpMatch::OurError:
        return Outcome{statusForError(parsed->header), message.sender, message.arrivedAt};
    case platform::IcmpMatch::NotOurs: break;
    }
    return std::nullopt;
}

// Reads what has come, a few messages at a time: anyone can send messages
// faster than they are read, and a flood of them must neither hold the
// probe past its timeout nor keep a wakeup waiting.
std::optional<Outcome> readSomeForOurs(platform::IcmpSocket& socket, const platform::OurRequest& ours)
{
    for (int read = 0; read < MessagesPerLook; ++read) {
        const auto message = socket.receive();
        if (!message)
            break;
        if (const auto outcome = outcomeOf(*message, ours))
            return outcome;
    }
    return std::nullopt;
}

Outcome awaitAnswer(platform::IcmpSocket& socket, const platform::OurRequest& ours, Clock::time_point deadline,
                    const platform::EchoWakeup* wakeup)
{
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        switch (socket.wait(std::chrono::ceil<std::chrono::milliseconds>(deadline - now), wakeup)) {
        case platform::WaitOutcome::Readable:
            if (const auto outcome = readSomeForOurs(socket, ours))
                return *outcome;
            break;
        case platform::WaitOutcome::Woken: return unanswered(EchoStatus::TimedOut);
        case platform::WaitOutcome::Failed: return unanswered(EchoStatus::GeneralFailure);
        case platform::WaitOutcome::Idle: break;
        }
    }
    return unanswered(EchoStatus::TimedOut);
}

// Whole milliseconds, truncated; without an arrival, the time waited. The
// kernel's arrival time leaves out how late this thread woke up; the
// monotonic clock bounds it should the wall clock be set meanwhile.
qint32 roundTripTime(Clock::time_point sentAt, WallClock::time_point sentAtWall,
                     std::optional<WallClock::time_point> arrivedAt)
{
    using std::chrono::nanoseconds;
    const nanoseconds waited = Clock::now() - sentAt;
    const nanoseconds measured = arrivedAt ? std::clamp<nanoseconds>(*arrivedAt - sentAtWall, {}, waited) : waited;
    return static_cast<qint32>(std::chrono::duration_cast<std::chrono::milliseconds>(measured).count());
}

QString programPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(u"/proc/self/exe"_s).canonicalFilePath();
}

} // namespace

bool SocketsStartup()
{
    const platform::IcmpSocket socket;
    const QMutexLocker lock(&startupFailureMutex);
    startupFailure = socket.isOpen() ? QString() : icmpUnavailableText(socket.openError(), programPath());
    return socket.isOpen();
}

QString SocketsStartupFailure()
{
    const QMutexLocker lock(&startupFailureMutex);
    return startupFailure;
}

void SocketsCleanup()
{
}

qint32 EchoProbe(const QString& address, EchoReply& reply, const platform::EchoWakeup* wakeup)
{
    const std::uint32_t target = platform::inetAddress(address);
    if (target == 0 || target == platform::InetAddressNone)
        return -1;
    platform::IcmpSocket socket;
    if (!socket.isOpen())
        return -1;
    const platform::OurRequest ours{target, socket.identifier(), ++lastSequence, Payload};
    const auto request = platform::buildEchoRequest(ours.identifier, ours.sequence, ours.payload);
    const auto sentAt = Clock::now();
    const auto sentAtWall = WallClock::now();
    const Outcome outcome = socket.send(target, request) ? awaitAnswer(socket, ours, sentAt + ReplyTimeout, wakeup)
                                                         : unanswered(EchoStatus::GeneralFailure);
    reply.Status = outcome.status;
    reply.ReplyAddress = outcome.replyAddress;
    reply.RoundTripTime = roundTripTime(sentAt, sentAtWall, outcome.arrivedAt); // on a timeout, the time waited
    return reply.Status;
}
