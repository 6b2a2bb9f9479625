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

    void script(qint32 status, qint32 roundTripTime) { script_.enqueue({status, roundTripTime}); }
    // From now on the socket library cannot be started, for this reason; an
    // empty reason lets it start again.
    void setStartupFailure(const QString& reason) { failure_ = reason; }
    // While held, probes stay unanswered until release(), so that a test can
    // act during a probe.
    void hold(bool held) { holding_ = held; }
    // Answers the held probes on the next event-loop turn.
    void release();

    int probeCount() const { return int(addresses_.size()); }
    // Some probe has been sent and not answered yet, held or not.
    bool probePending() const { return unanswered_ > 0; }
    QStringList addresses() const { return addresses_; }

    bool socketsStartup() override { return failure_.isEmpty(); }
    QString startupFailure() const override { return failure_; }
    void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) override;

private:
    struct Probe {
        EchoReply reply;
        QPointer<QObject> receiver;
        Done done;
    };

    void answerSoon(Probe probe);

    QQueue<Outcome> script_;
    QList<Probe> held_;
    QStringList addresses_;
    QString failure_;
    int unanswered_ = 0;
    bool holding_ = false;
};
