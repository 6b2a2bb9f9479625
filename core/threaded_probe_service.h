#pragma once

#include "core/probe_service.h"
#include "core/worker_thread.h"
#include "platform/echo_helper_launch.h"
#include "platform/echo_wakeup.h"

// Runs the blocking probes one after another on a single worker thread of
// its own and hands each outcome back on the thread that owns the service.
// Where the probes need the echo helper, one serves an alignment: started
// at its first probe, it ends with the alignment.
class ThreadedProbeService : public ProbeService {
    Q_OBJECT
public:
    explicit ThreadedProbeService(QObject* parent = nullptr);
    // Cuts a probe in progress short, its echo helper ended with it, and
    // joins the worker: returns at once.
    ~ThreadedProbeService() override;

    bool socketsStartup() override;
    QString startupFailure() const override;
    void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) override;
    // Ends the echo helper once the probes queued before it have answered.
    void alignmentEnded() override;

private:
    platform::EchoWakeup m_wakeup;
    platform::EchoHelper m_helper;  // used on the worker thread
    WorkerThread<QObject> m_worker; // probes are queued to it; ends first
};
