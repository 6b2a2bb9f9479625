#pragma once

#include "core/probe_service.h"

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QStringList>

// Stands in for the real probes in window tests: answers with scripted
// outcomes, never synchronously, by default on the next event-loop turn. An
// empty script answers status 0 in 1 ms.
class ScriptedProbeService : public ProbeService {
    Q_OBJECT
public:
    struct Outcome {
        qint32 status;
        qint32 roundTripTime;
    };

    using ProbeService::ProbeService;

    void script(qint32 status, qint32 roundTripTime) { m_script.enqueue({status, roundTripTime}); }
    // From now on the socket library cannot be started, for this reason; an
    // empty reason lets it start again.
    void setStartupFailure(const QString& reason) { m_failure = reason; }
    // From now on the socket library starts, but each probe is refused for
    // this reason, as the echo helper is without its capability.
    void refuseProbes(const QString& reason) { m_refusal = reason; }
    // While held, probes stay unanswered until release(), so that a test can
    // act during a probe.
    void hold(bool held) { m_holding = held; }
    // Answers the held probes on the next event-loop turn.
    void release();

    int probeCount() const { return int(m_addresses.size()); }
    // Some probe has been sent and not answered yet, held or not.
    bool probePending() const { return m_unanswered > 0; }
    QStringList addresses() const { return m_addresses; }
    // How often the window said that an alignment ended.
    int alignmentEnds() const { return m_alignmentEnds; }

    bool socketsStartup() override { return m_failure.isEmpty(); }
    QString startupFailure() const override { return m_failure.isEmpty() ? m_refusal : m_failure; }
    void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) override;
    void alignmentEnded() override { ++m_alignmentEnds; }

private:
    struct Probe {
        EchoReply reply;
        bool refused;
        QPointer<QObject> receiver;
        Done done;
    };

    void answerSoon(Probe probe);

    QQueue<Outcome> m_script;
    QList<Probe> m_held;
    QStringList m_addresses;
    QString m_failure;
    QString m_refusal;
    int m_unanswered = 0;
    int m_alignmentEnds = 0;
    bool m_holding = false;
};
