#pragma once

#include "core/tone.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <vector>

struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

// Records what the default sink plays, from its monitor, on libpulse's
// thread, handed over 100 ms at a time (or as ORIENZO_MONITOR_LATENCY_MS
// says), which changes nothing of what the sink plays. When each sample was
// played, by the steady clock, comes from the server's own accounts of the
// recording, asked for every few milliseconds: each tells how much the sink
// had surely played into it by a moment. The account given soonest after
// the sink moved on tells it best, to a millisecond or so.
class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;
    // A null sink renders two seconds at a time until a client asks for less,
    // and takes up to that long to change: a sound played sooner after
    // start() may be heard late.
    static constexpr int SinkSettleMs = 2500;

    MonitorRecorder() = default;
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // Returns once the recording runs; false with failure() set when the
    // monitor cannot be opened.
    bool start();
    // Stops and hands over what was recorded.
    ToneSamples stop();
    // After stop(): when the sample this far into the recording was played,
    // at the latest, by the server's accounts; Clock::time_point::max()
    // without any account after it.
    Clock::time_point playedAt(double recordingMs) const;
    QString failure() const;

private:
    static void streamChanged(pa_stream* stream, void* self);
    static void readable(pa_stream* stream, std::size_t bytes, void* self);
    static void askForAccount(pa_mainloop_api*, pa_time_event* event, const struct timeval*, void* self);
    static void accountGiven(pa_stream* stream, int success, void* self);
    bool connectStream();
    void takeAccount();

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    QString m_failure;
    // Written on libpulse's thread while recording:
    ToneSamples m_samples;
    std::int64_t m_counted = -1; // frames the last account counted
    std::int64_t m_lastStep = 0; // frames its count last grew by
    // By each account: that sample `played` (fractional) was played by `at`.
    struct Account {
        double played;
        Clock::time_point at;
    };
    std::vector<Account> m_accounts;
};
