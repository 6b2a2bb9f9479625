#include "core/echo_probe.h"

#include "core/icmp_unavailable.h"
#include "platform/echo_exchange.h"
#include "platform/echo_helper_launch.h"
#include "platform/echo_wakeup.h"
#include "platform/icmp_socket.h"
#include "platform/inet_address.h"

#include <QMutex>
#include <atomic>

namespace {

// Shared by every probe of the process, so that a reply arriving late for
// one request never passes for the next one's.
std::atomic<std::uint16_t> lastSequence{0};

QMutex failureMutex;
QString failure;

void noteFailure(int openError)
{
    const QMutexLocker lock(&failureMutex);
    failure = openError == 0 ? QString() : icmpUnavailableText(openError, platform::echoHelperPath());
}

// A ping socket where the system allows one; else the echo helper, which
// alone may open a raw socket: `helper` where given, else one for this probe
// alone. nullopt, with the reason noted, when neither can send.
std::optional<platform::EchoOutcome> exchange(std::uint32_t target, const platform::EchoWakeup* wakeup,
                                              platform::EchoHelper* helper)
{
    const int stopDescriptor = wakeup ? wakeup->descriptor() : -1;
    const std::uint16_t sequence = ++lastSequence;
    platform::IcmpSocket socket;
    if (socket.isOpen())
        return platform::exchangeEcho(socket, target, sequence, stopDescriptor);
    platform::EchoHelper forThisProbe;
    platform::EchoHelper& through = helper ? *helper : forThisProbe;
    const auto answer = through.exchange(platform::echoHelperPath(), {target, sequence}, stopDescriptor);
    if (!answer.outcome)
        noteFailure(answer.openError);
    return answer.outcome;
}

} // namespace

bool SocketsStartup()
{
    const platform::IcmpSocket socket;
    noteFailure(socket.isOpen() ? 0 : platform::echoHelperReadiness(platform::echoHelperPath()));
    return SocketsStartupFailure().isEmpty();
}

QString SocketsStartupFailure()
{
    const QMutexLocker lock(&failureMutex);
    return failure;
}

void SocketsCleanup()
{
}

qint32 EchoProbe(const QString& address, EchoReply& reply, const platform::EchoWakeup* wakeup,
                 platform::EchoHelper* helper)
{
    const std::uint32_t target = platform::inetAddress(address);
    if (target == 0 || target == platform::InetAddressNone)
        return -1;
    const auto outcome = exchange(target, wakeup, helper);
    if (!outcome)
        return -1;
    reply.Status = outcome->status;
    reply.ReplyAddress = outcome->replyAddress;
    reply.RoundTripTime = outcome->roundTripMs; // on a timeout, the time waited
    return reply.Status;
}
