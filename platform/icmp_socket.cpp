#include "platform/icmp_socket.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <linux/errqueue.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

// Ample for our replies and the errors quoting them; anything longer is
// someone else's.
constexpr std::size_t ReadBufferSize = 4096;

struct OpenedSocket {
    int descriptor;
    std::uint16_t identifier;
};

sockaddr_in socketAddress(std::uint32_t address)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr.s_addr = address;
    return socketAddress;
}

std::optional<std::uint16_t> boundIdentifier(int descriptor)
{
    sockaddr_in bound = socketAddress(INADDR_ANY);
    socklen_t length = sizeof bound;
    // Binding makes the kernel choose the identifier now rather than at the
    // first send, so that replies can be matched against it.
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) < 0
        || ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&bound), &length) < 0)
        return std::nullopt;
    return ntohs(bound.sin_port);
}

// Arrival times taken by the kernel leave out how long the probing thread
// takes to wake up on a busy machine. Without them the prober's own clock
// serves.
void stampArrivals(int descriptor)
{
    const int on = 1;
    ::setsockopt(descriptor, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
}

std::optional<OpenedSocket> openDatagramSocket()
{
    const int descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (descriptor < 0)
        return std::nullopt;
    const int on = 1;
    // Without IP_RECVERR a ping socket never hears of ICMP errors.
    const bool errorsQueued = ::setsockopt(descriptor, IPPROTO_IP, IP_RECVERR, &on, sizeof on) == 0;
    const auto identifier = boundIdentifier(descriptor);
    if (errorsQueued && identifier)
        return OpenedSocket{descriptor, *identifier};
    ::close(descriptor);
    return std::nullopt;
}

// A raw socket sees every ICMP message reaching the host; the filter keeps
// out the kinds a probe never waits for.
void filterUnwantedTypes(int descriptor)
{
    std::uint32_t wanted = 0;
    for (std::uint8_t type = 0; type < 32; ++type) {
        if (type == IcmpType::EchoReply || isIcmpError(type))
            wanted |= 1u << type;
    }
    const icmp_filter filter{~wanted};
    // Only lightens the load: whatever passes is classified anyway.
    ::setsockopt(descriptor, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
}

// One message read from the socket, with what the kernel said about it.
struct SocketRead {
    std::vector<std::uint8_t> bytes;
    sockaddr_in name{};
    std::optional<std::chrono::system_clock::time_point> arrivedAt;
    std::optional<QueuedError> icmpError;
    std::uint32_t offender = 0; // the host that sent the ICMP error
};

std::chrono::system_clock::time_point wallClockTime(const timespec& stamp)
{
    const auto sinceEpoch = std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec);
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch));
}

void readArrivalTime(const cmsghdr& control, SocketRead& read)
{
    timespec stamp{};
    std::memcpy(&stamp, CMSG_DATA(&control), sizeof stamp);
    read.arrivedAt = wallClockTime(stamp);
}

// Errors of local origin share the error queue; they are passed over.
void readQueuedError(const cmsghdr& control, SocketRead& read)
{
    sock_extended_err error{};
    std::memcpy(&error, CMSG_DATA(&control), sizeof error);
    if (error.ee_origin != SO_EE_ORIGIN_ICMP)
        return;
    sockaddr_in offender{};
    std::memcpy(&offender, CMSG_DATA(&control) + sizeof error, sizeof offender);
    read.icmpError = QueuedError{error.ee_type, error.ee_code, read.name.sin_addr.s_addr};
    read.offender = offender.sin_family == AF_INET ? offender.sin_addr.s_addr : 0;
}

void readControl(const cmsghdr& control, SocketRead& read)
{
    if (control.cmsg_level == SOL_SOCKET && control.cmsg_type == SCM_TIMESTAMPNS
        && control.cmsg_len >= CMSG_LEN(sizeof(timespec)))
        readArrivalTime(control, read);
    if (control.cmsg_level == IPPROTO_IP && control.cmsg_type == IP_RECVERR
        && control.cmsg_len >= CMSG_LEN(sizeof(sock_extended_err) + sizeof(sockaddr_in)))
        readQueuedError(control, read);
}

// A message longer than the buffer comes cut short; it is handed on empty,
// as unreadable, never as if the part that fits were the whole.
std::optional<SocketRead> readOnce(int descriptor, int flags)
{
    SocketRead read;
    read.bytes.resize(ReadBufferSize);
    alignas(cmsghdr) std::array<char, 512> control{};
    iovec data{read.bytes.data(), read.bytes.size()};
    msghdr message{&read.name, sizeof read.name, &data, 1, control.data(), control.size(), 0};
    const ssize_t length = ::recvmsg(descriptor, &message, flags | MSG_DONTWAIT);
    if (length < 0)
        return std::nullopt;
    read.bytes.resize((message.msg_flags & MSG_TRUNC) != 0 ? 0 : static_cast<std::size_t>(length));
    for (cmsghdr* entry = CMSG_FIRSTHDR(&message); entry; entry = CMSG_NXTHDR(&message, entry))
        readControl(*entry, read);
    return read;
}

} // namespace

int openRawIcmpDescriptor()
{
    return ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
}

IcmpSocket::IcmpSocket()
{
    const auto opened = openDatagramSocket();
    if (!opened) {
        m_openError = errno;
        return;
    }
    stampArrivals(opened->descriptor);
    m_descriptor = opened->descriptor;
    m_identifier = opened->identifier;
}

IcmpSocket::IcmpSocket(RawIcmpDescriptor raw) : m_kind(IcmpSocketKind::Raw)
{
    if (raw.descriptor < 0)
        return;
    filterUnwantedTypes(raw.descriptor);
    stampArrivals(raw.descriptor);
    m_descriptor = raw.descriptor;
    // One probe at a time to a process: the process's own number tells its
    // replies from those to other programs' pings, and the sequence number
    // from late replies to its own earlier probes.
    m_identifier = static_cast<std::uint16_t>(::getpid());
}

IcmpSocket::~IcmpSocket()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool IcmpSocket::isOpen() const
{
    return m_descriptor >= 0;
}

int IcmpSocket::openError() const
{
    return m_openError;
}

IcmpSocketKind IcmpSocket::kind() const
{
    return m_kind;
}

std::uint16_t IcmpSocket::identifier() const
{
    return m_identifier;
}

bool IcmpSocket::send(std::uint32_t target, std::span<const std::uint8_t> message)
{
    const sockaddr_in address = socketAddress(target);
    ssize_t sent = 0;
    do {
        sent = ::sendto(m_descriptor, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&address),
                        sizeof address);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(message.size());
}

WaitOutcome IcmpSocket::wait(std::chrono::milliseconds timeout, int stopDescriptor)
{
    // poll() passes over a negative descriptor: nothing to stop the wait.
    std::array<pollfd, 2> watched{{{m_descriptor, POLLIN, 0}, {stopDescriptor, POLLIN, 0}}};
    const int ready = ::poll(watched.data(), watched.size(), static_cast<int>(timeout.count()));
    if (ready < 0)
        return errno == EINTR ? WaitOutcome::Idle : WaitOutcome::Failed;
    if (watched[1].revents != 0)
        return WaitOutcome::Stopped;
    return watched[0].revents != 0 ? WaitOutcome::Readable : WaitOutcome::Idle;
}

std::optional<ReceivedIcmp> IcmpSocket::receive()
{
    if (m_kind == IcmpSocketKind::Datagram) {
        if (auto error = receiveQueuedError())
            return error;
    }
    if (auto packet = receivePacket())
        return packet;
    clearPendingError();
    return std::nullopt;
}

std::optional<ReceivedIcmp> IcmpSocket::receivePacket()
{
    auto read = readOnce(m_descriptor, 0);
    if (!read)
        return std::nullopt;
    return ReceivedIcmp{std::move(read->bytes), read->name.sin_addr.s_addr, m_kind == IcmpSocketKind::Raw, std::nullopt,
                        read->arrivedAt};
}

std::optional<ReceivedIcmp> IcmpSocket::receiveQueuedError()
{
    for (;;) {
        auto read = readOnce(m_descriptor, MSG_ERRQUEUE);
        if (!read)
            return std::nullopt;
        if (read->icmpError)
            return ReceivedIcmp{std::move(read->bytes), read->offender, false, read->icmpError, read->arrivedAt};
    }
}

// ICMP errors also set the socket's pending error, including errors about
// other programs' pings on a raw socket; poll() keeps reporting it until it
// is read, and a non-blocking receive never reads it.
void IcmpSocket::clearPendingError()
{
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(m_descriptor, SOL_SOCKET, SO_ERROR, &error, &length);
}

} // namespace platform
