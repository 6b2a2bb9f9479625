#pragma once

namespace bench {

// Milliseconds on the monotonic clock, the same in every thread and process
// of the machine.
double monotonicMs();

} // namespace bench
