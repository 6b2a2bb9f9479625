#include "sound/monitor_recorder.h"

#include "platform/pulse_support.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using Clock = MonitorRecorder::Clock;

namespace {

constexpr pa_usec_t AskEveryUsec = 5000;

// What the server hands over at a time: as scripts/sound-server says for it,
// else 100 ms.
std::uint32_t fragmentBytes()
{
    const int ms = qEnvironmentVariableIntValue("ORIENZO_MONITOR_LATENCY_MS");
    return std::uint32_t((ms > 0 ? ms : 100) * ToneSampleRate / 1000 * sizeof(std::int16_t));
}

Clock::duration lengthOf(double frames)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(frames / ToneSampleRate));
}

void signalLoop(pa_threaded_mainloop* loop)
{
    pa_threaded_mainloop_signal(loop, 0);
}

} // namespace

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

bool MonitorRecorder::start()
{
    m_loop = pa_threaded_mainloop_new();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Orienzo tone lab");
    pa_context_set_state_callback(
        m_context, [](pa_context*, void* loop) { signalLoop(static_cast<pa_threaded_mainloop*>(loop)); }, m_loop);
    const bool connecting = pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) >= 0;
    pa_threaded_mainloop_start(m_loop);
    const platform::PulseLock lock(m_loop);
    if (!connecting || !connectStream()) {
        m_failure = QString::fromUtf8(pa_strerror(pa_context_errno(m_context)));
        return false;
    }
    pa_context_rttime_new(m_context, pa_rtclock_now() + AskEveryUsec, &MonitorRecorder::askForAccount, this);
    return true;
}

// Waits for the connection, then for the recording to run.
bool MonitorRecorder::connectStream()
{
    pa_context_state_t state;
    while ((state = pa_context_get_state(m_context)) != PA_CONTEXT_READY) {
        if (!PA_CONTEXT_IS_GOOD(state))
            return false;
        pa_threaded_mainloop_wait(m_loop);
    }
    const pa_sample_spec format{PA_SAMPLE_S16LE, ToneSampleRate, 1};
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{serverDefault, serverDefault, serverDefault, serverDefault, fragmentBytes()};
    m_stream = pa_stream_new(m_context, "monitor", &format, nullptr);
    pa_stream_set_state_callback(m_stream, &MonitorRecorder::streamChanged, this);
    pa_stream_set_read_callback(m_stream, &MonitorRecorder::readable, this);
    if (pa_stream_connect_record(m_stream, "@DEFAULT_MONITOR@", &buffer, PA_STREAM_ADJUST_LATENCY) < 0)
        return false;
    pa_stream_state_t streamState;
    while ((streamState = pa_stream_get_state(m_stream)) != PA_STREAM_READY) {
        if (!PA_STREAM_IS_GOOD(streamState))
            return false;
        pa_threaded_mainloop_wait(m_loop);
    }
    return true;
}

ToneSamples MonitorRecorder::stop()
{
    if (m_loop) {
        platform::closePulse(m_loop, m_context, m_stream);
        if (m_accounts.empty() && m_failure.isEmpty())
            m_failure = u"the sound server gave no account of the recording"_s;
    }
    return std::move(m_samples);
}

// Each account bounds the samples up to the one it says was played: they
// were played no later than that one, less the time between. Where the
// server lost time between two, as PipeWire does when it changes its block
// size, the bound from beyond the gap is only looser, so the tightest holds.
Clock::time_point MonitorRecorder::playedAt(double recordingMs) const
{
    const double sample = recordingMs * ToneSampleRate / 1000;
    Clock::time_point latest = Clock::time_point::max();
    for (const Account& account : m_accounts)
        if (account.played >= sample)
            latest = std::min(latest, account.at - lengthOf(account.played - sample));
    return latest;
}

QString MonitorRecorder::failure() const
{
    return m_failure;
}

void MonitorRecorder::streamChanged(pa_stream* stream, void* self)
{
    auto* recorder = static_cast<MonitorRecorder*>(self);
    if (pa_stream_get_state(stream) == PA_STREAM_FAILED)
        recorder->m_failure = QString::fromUtf8(pa_strerror(pa_context_errno(recorder->m_context)));
    signalLoop(recorder->m_loop);
}

// A hole in the recording, where the server lost something, is kept as
// silence, so that every sample stays where the server counts it.
void MonitorRecorder::readable(pa_stream* stream, std::size_t, void* self)
{
    ToneSamples& samples = static_cast<MonitorRecorder*>(self)->m_samples;
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        const auto* first = static_cast<const std::int16_t*>(data);
        const std::size_t count = bytes / sizeof(std::int16_t);
        if (first)
            samples.insert(samples.end(), first, first + count);
        else
            samples.resize(samples.size() + count);
        pa_stream_drop(stream);
    }
}

void MonitorRecorder::askForAccount(pa_mainloop_api*, pa_time_event* event, const struct timeval*, void* self)
{
    auto* recorder = static_cast<MonitorRecorder*>(self);
    if (pa_operation* asked = pa_stream_update_timing_info(recorder->m_stream, &MonitorRecorder::accountGiven, self))
        pa_operation_unref(asked);
    pa_context_rttime_restart(recorder->m_context, event, pa_rtclock_now() + AskEveryUsec);
}

void MonitorRecorder::accountGiven(pa_stream*, int success, void* self)
{
    if (success)
        static_cast<MonitorRecorder*>(self)->takeAccount();
}

// An account counts what the sink has put into the recording and says when.
// PulseAudio counts what its sink renders ahead of playing it and says how
// far ahead, its latency; PipeWire counts each block whole as soon as its
// sink starts to play it and says nothing, so what it had counted before its
// last step is played. The less of the two was surely played by then.
void MonitorRecorder::takeAccount()
{
    const pa_timing_info* account = pa_stream_get_timing_info(m_stream);
    const std::int64_t counted = account->write_index / std::int64_t(sizeof(std::int16_t));
    if (m_counted >= 0 && counted > m_counted)
        m_lastStep = counted - m_counted;
    m_counted = counted;
    if (m_lastStep == 0)
        return;
    const double aheadFrames = (double(account->sink_usec) - double(account->source_usec)) * ToneSampleRate / 1e6;
    const double played = std::min(double(counted) - aheadFrames, double(counted - m_lastStep));
    m_accounts.push_back({played, platform::steadyAt(account->timestamp)});
}
