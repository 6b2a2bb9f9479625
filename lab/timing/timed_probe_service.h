#pragma once

#include "core/probe_service.h"

#include <QList>

// Hands every probe on to the real service and notes, on the UI thread, how
// long each took from the request to its outcome, of which how long the
// machine kept the program's threads waiting for a processor, and the status
// it gave.
class TimedProbeService : public ProbeService {
    Q_OBJECT
public:
    struct Probe {
        double requestedAt; // monotonicMs()
        double durationMs;
        double queuedMs; // how long this process's threads stood ready to run meanwhile
        // How long the calling (UI) thread had stood ready to run so far, at the
        // request and at the outcome.
        double callerQueuedAtRequestMs;
        double callerQueuedAtOutcomeMs;
        qint32 status;
        qint32 roundTripTime;
    };

    explicit TimedProbeService(ProbeService& real);

    const QList<Probe>& probes() const { return m_probes; }

    bool socketsStartup() override;
    QString startupFailure() const override;
    void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) override;

private:
    ProbeService& m_real;
    QList<Probe> m_probes;
};
