#pragma once

#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_timing_info;

namespace platform {

// One playback stream of mono signed 16-bit samples to the desktop's sound
// server through libpulse, which PipeWire's PulseAudio service answers too.
// While open the stream never stops: libpulse's own thread feeds it silence
// as the server asks for more, so its sample clock runs evenly and a sound
// placed on it is heard whole, at the moment asked for, in whatever blocks
// the server plays it. Every call returns at once; the connection is made
// and watched on libpulse's thread.
class SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    enum class State { Closed, Opening, Open, Failed };

    // `changed` is called on libpulse's thread whenever state() changes.
    explicit SoundOutput(std::function<void()> changed);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Starts connecting to the default server and sink.
    void open(int sampleRate);
    State state() const;
    // Why the output failed, in Spanish.
    QString failure() const;
    // How soon after it is placed a sound can be heard, once open.
    Clock::duration lead() const;
    // From `at` on, or from lead() after now if that is later, what is heard
    // is `samples` and then silence: whatever was placed there before is
    // dropped. Returns when the first sample will be heard.
    Clock::time_point place(std::span<const std::int16_t> samples, Clock::time_point at);
    void close();

private:
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void moreWanted(pa_stream* stream, std::size_t bytes, void* self);
    static void askForAccount(pa_stream* stream, void* self);
    static void timingUpdated(pa_stream* stream, int success, void* self);
    void connectStream();
    void takeAccount(const pa_timing_info& account);
    void writeSilence(std::size_t bytes);
    void enter(State state);
    void fail();
    std::int64_t framesIn(Clock::duration duration) const;

    std::function<void()> m_changed;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    int m_sampleRate = 0;
    // Guarded by the loop's lock:
    State m_state = State::Closed;
    int m_error = 0;
    std::int64_t m_written = 0; // frames, where the next silence goes
    int m_requests = 0;         // for more of the stream, since it opened
    // When the stream's first frame was heard, by each of the server's last
    // four accounts of it, two seconds' worth: few enough that the stream is
    // soon followed where the server, busy, let it fall behind.
    std::array<Clock::time_point, 4> m_startHeard{};
    std::size_t m_accounts = 0;
};

} // namespace platform
