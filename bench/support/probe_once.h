#pragma once

#include "timing/timed_probe_service.h"

#include <optional>

namespace bench {

// Sends one probe through `service` and lets events run until its outcome
// arrives (at most `timeoutMs`); gives its status, or nothing when none came.
std::optional<qint32> probeOnce(ProbeService& service, const QString& address, int timeoutMs = 5000);
// The same through the timing service: what it noted of the probe.
std::optional<TimedProbeService::Probe> timedProbeOnce(TimedProbeService& service, const QString& address);

} // namespace bench
