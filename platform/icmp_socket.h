#pragma once

#include "platform/icmp_packet.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

enum class IcmpSocketKind { Datagram, Raw };
enum class WaitOutcome { Readable, Stopped, Idle, Failed };

// A raw ICMP socket, which only a process holding CAP_NET_RAW can open: the
// echo helper, never the program with the windows. -1 with errno set when
// it cannot be opened.
int openRawIcmpDescriptor();

struct RawIcmpDescriptor {
    int descriptor = -1;
};

// One ICMP echo socket, open from construction to destruction.
class IcmpSocket {
public:
    // An unprivileged ping socket, where net.ipv4.ping_group_range admits
    // the user's group.
    IcmpSocket();
    // Takes over a raw socket, or a failed attempt at one (-1).
    explicit IcmpSocket(RawIcmpDescriptor raw);
    ~IcmpSocket();
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    bool isOpen() const;
    // errno of a ping socket that could not be opened.
    int openError() const;
    IcmpSocketKind kind() const;
    // The identifier that replies to this socket's requests carry; on a ping
    // socket the kernel writes it into every request.
    std::uint16_t identifier() const;

    bool send(std::uint32_t target, std::span<const std::uint8_t> message);
    // Idle: the time ran out or a signal came; the caller checks its clock.
    // Stopped: `stopDescriptor` (-1 for none) became readable or closed.
    WaitOutcome wait(std::chrono::milliseconds timeout, int stopDescriptor);
    // The next message already there, or nullopt when there is none.
    std::optional<ReceivedIcmp> receive();

private:
    std::optional<ReceivedIcmp> receivePacket();
    std::optional<ReceivedIcmp> receiveQueuedError();
    void clearPendingError();

    int m_descriptor = -1;
    int m_openError = 0;
    IcmpSocketKind m_kind = IcmpSocketKind::Datagram;
    std::uint16_t m_identifier = 0;
};

} // namespace platform
