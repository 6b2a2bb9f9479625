#pragma once

#include "core/echo_probe.h"

#include <QObject>
#include <functional>

// How the measuring procedures probe: SocketsStartup answers at once on the
// UI thread; the blocking EchoProbe and SocketsCleanup run elsewhere and the
// outcome comes back on the UI thread. Tests replace it with scripted outcomes.
class ProbeService : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(qint32 status, const EchoReply& reply)>;

    using QObject::QObject;

    virtual bool socketsStartup() = 0;
    virtual QString startupFailure() const = 0;
    // Calls `done` on the UI thread with EchoProbe's result and the record it
    // left, unless `receiver` has been destroyed by then.
    virtual void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) = 0;
    // The alignment has ended: no probe follows soon. What the probes kept
    // for it goes, at once, or once the probe still out has answered, with
    // its true outcome. A service that keeps nothing between probes has
    // nothing to do.
    virtual void alignmentEnded() {}
};
