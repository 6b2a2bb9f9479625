#pragma once

#include "platform/echo_status.h"

#include <QString>
#include <QtGlobal>

namespace platform {
class EchoHelper;
class EchoWakeup;
} // namespace platform

// The reply record of one echo request. It belongs to the measuring procedure,
// which hands the same record to every probe it makes, so between probes it
// holds what the last probe left in it.
struct EchoReply {
    quint32 ReplyAddress = 0; // address that answered, network byte order
    qint32 Status = 0;        // 0 only when our echo reply arrived
    qint32 RoundTripTime = 0; // whole milliseconds
};

// True when an echo request can be sent: a ping socket opens, or the echo
// helper may open a raw socket. On false the reason is kept for
// SocketsStartupFailure().
bool SocketsStartup();
// Why no echo request could be sent, in Spanish, with the remedies: the
// last SocketsStartup() that gave false, or EchoProbe() after it that found
// the helper refused all the same. Empty when nothing failed.
QString SocketsStartupFailure();
// Nothing to release on this platform: every probe opens and closes its own socket.
void SocketsCleanup();

// Sends one echo request ("hello", 1000 ms timeout) to the dotted address and
// fills `reply`. Gives -1, leaving `reply` untouched and sending nothing, when
// the address reads as 0 or all ones, or when no echo request can be sent;
// otherwise gives reply.Status. `wakeup`, when given, aborts the wait early
// (the program is closing); the result is then a timeout. `helper`, when
// given, is the echo helper that the probes of one alignment share where no
// ping socket opens; without it a helper serves this probe alone.
qint32 EchoProbe(const QString& address, EchoReply& reply, const platform::EchoWakeup* wakeup = nullptr,
                 platform::EchoHelper* helper = nullptr);
