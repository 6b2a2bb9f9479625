#pragma once

#include "support/timed_probe_service.h"

namespace bench {

// Sends one probe through `service` and lets events run until its outcome
// arrives (at most `timeoutMs`); gives what the service noted of it.
std::optional<TimedProbeService::Probe> probeOnce(TimedProbeService& service, const QString& address,
                                                  int timeoutMs = 5000);

} // namespace bench
