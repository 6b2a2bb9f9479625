#pragma once

#include "platform/icmp_packet.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

class EchoWakeup;

enum class IcmpSocketKind { Datagram, Raw };
enum class WaitOutcome { Readable, Woken, Idle, Failed };

// One ICMP echo socket, open from construction to destruction: an
// unprivileged ping socket where net.ipv4.ping_group_range admits the user's
// group, else a raw socket (root or CAP_NET_RAW).
class IcmpSocket {
public:
    IcmpSocket();
    ~IcmpSocket();
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    bool isOpen() const;
    // errno of the raw socket when neither kind could be opened.
    int openError() const;
    IcmpSocketKind kind() const;
    // The identifier that replies to this socket's requests carry; on a ping
    // socket the kernel writes it into every request.
    std::uint16_t identifier() const;

    bool send(std::uint32_t target, std::span<const std::uint8_t> message);
    // Idle: the time ran out or a signal came; the caller checks its clock.
    WaitOutcome wait(std::chrono::milliseconds timeout, const EchoWakeup* wakeup);
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
