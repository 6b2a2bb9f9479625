#pragma once

#include <chrono>

// Milliseconds on the monotonic clock, the same in every thread and process
// of the machine: now, or at that moment.
double monotonicMs();
double monotonicMs(std::chrono::steady_clock::time_point at);
