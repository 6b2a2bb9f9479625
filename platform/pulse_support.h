#pragma once

#include <chrono>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct timeval;

namespace platform {

// Holds libpulse's thread off what it works on while the calling thread
// works on it.
class PulseLock {
public:
    explicit PulseLock(pa_threaded_mainloop* loop);
    ~PulseLock();
    PulseLock(const PulseLock&) = delete;
    PulseLock& operator=(const PulseLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

// Stops libpulse's thread before anything it works on goes, then lets the
// stream (if any), the connection and the loop go, none of them saying
// anything more, and leaves all three null.
void closePulse(pa_threaded_mainloop*& loop, pa_context*& context, pa_stream*& stream);

// A moment the sound server gives by the wall clock, such as when it gave an
// account of a stream, on the steady clock.
std::chrono::steady_clock::time_point steadyAt(const timeval& moment);

} // namespace platform
