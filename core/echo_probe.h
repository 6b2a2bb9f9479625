#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {
class EchoWakeup;
}

// The reply record of one echo request. It belongs to the measuring procedure,
// which hands the same record to every probe it makes, so between probes it
// holds what the last probe left in it.
struct EchoReply {
    quint32 ReplyAddress = 0; // address that answered, network byte order
    qint32 Status = 0;        // 0 only when our echo reply arrived
    qint32 RoundTripTime = 0; // whole milliseconds
};

// Non-zero statuses, numbered as the IP status codes of the classic echo API.
namespace EchoStatus {
constexpr qint32 Success = 0;
constexpr qint32 DestinationNetUnreachable = 11002;
constexpr qint32 DestinationHostUnreachable = 11003;
constexpr qint32 DestinationProtocolUnreachable = 11004;
constexpr qint32 DestinationPortUnreachable = 11005;
constexpr qint32 TimedOut = 11010;
constexpr qint32 TtlExpiredTransit = 11013;
constexpr qint32 GeneralFailure = 11050;
} // namespace EchoStatus

// True when an ICMP echo socket can be opened; on false the reason is kept
// for SocketsStartupFailure().
bool SocketsStartup();
// Why the last SocketsStartup() gave false, in Spanish, with the remedy.
QString SocketsStartupFailure();
// Nothing to release on this platform: every probe opens and closes its own socket.
void SocketsCleanup();

// Sends one echo request ("hello", 1000 ms timeout) to the dotted address and
// fills `reply`. Gives -1, leaving `reply` untouched and sending nothing, when
// the address reads as 0 or all ones, or when no echo socket can be opened;
// otherwise gives reply.Status. `wakeup`, when given, aborts the wait early
// (the program is closing); the result is then a timeout.
qint32 EchoProbe(const QString& address, EchoReply& reply, const platform::EchoWakeup* wakeup = nullptr);
