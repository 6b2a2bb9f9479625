#pragma once

#include "core/tone.h"

#include <QString>
#include <chrono>
#include <stop_token>
#include <thread>

struct pa_simple;

// Records what the default sink plays, from its monitor, in 5 ms blocks on a
// thread of its own, and works out when its first sample was played by the
// steady clock: each block is read no sooner than its last sample was
// played, so the earliest reading sets it, to within what the server hands
// over at a time.
class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;
    // A null sink renders two seconds at a time until a client asks for less,
    // as the recorder does, and takes up to that long to change: a sound
    // played sooner after start() may be heard late.
    static constexpr int SinkSettleMs = 2500;

    MonitorRecorder() = default;
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // False with failure() set when the monitor cannot be opened.
    bool start();
    // Stops and hands over what was recorded.
    ToneSamples stop();
    Clock::time_point firstSampleAt() const;
    QString failure() const;

private:
    void record(std::stop_token stop);

    pa_simple* m_stream = nullptr;
    ToneSamples m_samples;
    Clock::time_point m_firstSampleAt = Clock::time_point::max();
    QString m_failure;
    std::jthread m_thread;
};
