#pragma once

#include "core/probe_service.h"

namespace bench {

// Answers every probe with status 0 and 1 ms on the next event-loop turn, as
// the scripted probe does when it has no script, but keeps no record of the
// probes, so that a long run measures the program's memory alone.
class SteadyProbeService : public ProbeService {
    Q_OBJECT
public:
    using ProbeService::ProbeService;

    bool socketsStartup() override;
    QString startupFailure() const override;
    void echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done) override;
};

} // namespace bench
