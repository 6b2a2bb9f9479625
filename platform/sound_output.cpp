#include "platform/sound_output.h"

#include "platform/pulse_support.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace platform {

namespace {

// The server holds a second of silence ahead and asks for more every half
// second, so the stream costs two wakeups a second. A sound is written over
// that silence where it is to be heard. What the server plays ahead of the
// stream, its latency, is the second less twice the half second: 11 ms, so
// that a desktop's PipeWire plays it in blocks of 512 frames (10.7 ms) at
// 48 kHz. PipeWire takes a stream's block a block before it plays it, so a
// sound written now is heard two blocks on at the soonest: 43 ms in its
// usual blocks of 1024 frames, too late for a tone on its pass.
constexpr auto Buffered = 1011ms;
constexpr auto AskedEvery = 500ms;
// How far past the server's own latency a sound must land so that the
// server has not taken that part of the stream yet when it arrives.
constexpr auto Margin = 5ms;

QString reasonFor(int error)
{
    switch (error) {
    case PA_ERR_CONNECTIONREFUSED: return u"no hay ningún servidor de sonido en marcha"_s;
    case PA_ERR_INVALIDSERVER: return u"la dirección del servidor de sonido no es válida"_s;
    case PA_ERR_ACCESS:
    case PA_ERR_AUTHKEY: return u"el servidor de sonido no da permiso a este programa"_s;
    case PA_ERR_TIMEOUT: return u"el servidor de sonido no responde"_s;
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_KILLED: return u"se cortó la conexión con el servidor de sonido"_s;
    case PA_ERR_NOENTITY: return u"no hay ningún dispositivo de salida"_s;
    case PA_ERR_PROTOCOL:
    case PA_ERR_VERSION: return u"el servidor de sonido no es compatible con este programa"_s;
    default: return u"el servidor de sonido no acepta la reproducción"_s;
    }
}

std::uint32_t usecIn(std::chrono::microseconds duration)
{
    return static_cast<std::uint32_t>(duration.count());
}

} // namespace

SoundOutput::SoundOutput(std::function<void()> changed) : m_changed(std::move(changed))
{
}

SoundOutput::~SoundOutput()
{
    close();
}

void SoundOutput::open(int sampleRate)
{
    close();
    m_sampleRate = sampleRate;
    m_loop = pa_threaded_mainloop_new();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Orienzo wireless");
    pa_context_set_state_callback(m_context, &SoundOutput::contextChanged, this);
    m_state = State::Opening;
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) {
        m_state = State::Failed;
        m_error = pa_context_errno(m_context);
    }
    pa_threaded_mainloop_start(m_loop);
}

SoundOutput::State SoundOutput::state() const
{
    if (!m_loop)
        return State::Closed;
    const PulseLock lock(m_loop);
    return m_state;
}

QString SoundOutput::failure() const
{
    const PulseLock lock(m_loop);
    return u"No hay salida de sonido: %1 (código %2)."_s.arg(reasonFor(m_error)).arg(m_error);
}

SoundOutput::Clock::duration SoundOutput::lead() const
{
    const PulseLock lock(m_loop);
    const pa_timing_info* timing = m_stream ? pa_stream_get_timing_info(m_stream) : nullptr;
    return std::chrono::microseconds(timing ? timing->configured_sink_usec : 0) + Margin;
}

// Where the stream is heard now is worked out from the server's recent
// accounts of it: the one that puts it furthest on was given soonest after
// the server took a block, and the others trail it by up to a block.
SoundOutput::Clock::time_point SoundOutput::place(std::span<const std::int16_t> samples, Clock::time_point at)
{
    const Clock::duration soonest = lead();
    const PulseLock lock(m_loop);
    if (m_state != State::Open)
        return at;
    const Clock::time_point now = Clock::now();
    const Clock::duration ahead = std::max(at - now, soonest);
    const std::int64_t start = framesIn(now + ahead - std::ranges::min(m_startHeard));
    // From the sound's start, or from the end of the silence if the server
    // has played past it, to the end of the sound or of the silence.
    const std::int64_t from = std::min(start, m_written);
    const std::int64_t to = std::max(start + std::int64_t(samples.size()), m_written);
    std::vector<std::int16_t> frames(std::size_t(to - from));
    std::ranges::copy(samples, frames.begin() + (start - from));
    pa_stream_write(m_stream, frames.data(), frames.size() * sizeof(std::int16_t), nullptr,
                    from * std::int64_t(sizeof(std::int16_t)), PA_SEEK_ABSOLUTE);
    m_written = to;
    return now + ahead;
}

void SoundOutput::close()
{
    if (!m_loop)
        return;
    closePulse(m_loop, m_context, m_stream);
    m_state = State::Closed;
    m_written = 0;
    m_accounts = 0;
    m_requests = 0;
}

void SoundOutput::contextChanged(pa_context* context, void* self)
{
    auto* output = static_cast<SoundOutput*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: output->connectStream(); break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED: output->fail(); break;
    default: break;
    }
}

// Never corked and without a start threshold, the stream plays from the
// first request on and goes on playing, silence included.
void SoundOutput::connectStream()
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(m_sampleRate), 1};
    const auto bytesFor = [&format](std::chrono::microseconds duration) {
        return static_cast<std::uint32_t>(pa_usec_to_bytes(usecIn(duration), &format));
    };
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{serverDefault, bytesFor(Buffered), 0, bytesFor(AskedEvery), serverDefault};
    m_stream = pa_stream_new(m_context, "Alineación por sonido", &format, nullptr);
    pa_stream_set_state_callback(m_stream, &SoundOutput::streamChanged, this);
    pa_stream_set_write_callback(m_stream, &SoundOutput::moreWanted, this);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        fail();
}

void SoundOutput::streamChanged(pa_stream* stream, void* self)
{
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED)
        static_cast<SoundOutput*>(self)->fail();
}

// The server's account of the stream is asked for just after it has taken a
// block: then where it reads and when match, which PipeWire's account of a
// moment between blocks does not. The stream counts as open from the first.
void SoundOutput::moreWanted(pa_stream* stream, std::size_t bytes, void* self)
{
    auto* output = static_cast<SoundOutput*>(self);
    ++output->m_requests;
    output->writeSilence(bytes);
    askForAccount(stream, self);
}

void SoundOutput::askForAccount(pa_stream* stream, void* self)
{
    if (pa_operation* asked = pa_stream_update_timing_info(stream, &SoundOutput::timingUpdated, self))
        pa_operation_unref(asked);
}

// Until the server has begun to read the stream its accounts tell nothing of
// where it is heard, so another is asked for at once.
void SoundOutput::timingUpdated(pa_stream* stream, int success, void* self)
{
    auto* output = static_cast<SoundOutput*>(self);
    if (!success)
        return;
    const pa_timing_info& account = *pa_stream_get_timing_info(stream);
    output->takeAccount(account);
    if (account.read_index == 0)
        askForAccount(stream, self);
    if (output->m_state == State::Opening)
        output->enter(State::Open);
}

// An account says how much of the stream the server has read, and when.
// PulseAudio also says how far behind that its sink plays, its latency;
// PipeWire says nothing: it plays what it reads two blocks later, which
// place() then adds. Until the server asks for more a second time it reads
// ahead of its pace while the stream settles: till then, and with the
// account given then, the latest account stands alone.
void SoundOutput::takeAccount(const pa_timing_info& account)
{
    const std::int64_t heard = account.read_index / std::int64_t(sizeof(std::int16_t))
                               - framesIn(std::chrono::microseconds(account.sink_usec));
    const Clock::time_point startHeard =
        steadyAt(account.timestamp) - std::chrono::microseconds(heard * 1'000'000 / m_sampleRate);
    if (m_requests <= 2)
        m_startHeard.fill(startHeard);
    m_startHeard[m_accounts++ % m_startHeard.size()] = startHeard;
}

// libpulse lends a buffer of at most one block of its shared memory at a
// time.
void SoundOutput::writeSilence(std::size_t bytes)
{
    while (bytes > 0) {
        void* silence = nullptr;
        std::size_t lent = bytes;
        if (pa_stream_begin_write(m_stream, &silence, &lent) < 0)
            return fail();
        std::memset(silence, 0, lent);
        pa_stream_write(m_stream, silence, lent, nullptr, 0, PA_SEEK_RELATIVE);
        m_written += std::int64_t(lent / sizeof(std::int16_t));
        bytes -= lent;
    }
}

void SoundOutput::enter(State state)
{
    m_state = state;
    m_changed();
}

void SoundOutput::fail()
{
    if (m_state == State::Failed)
        return;
    m_error = pa_context_errno(m_context);
    enter(State::Failed);
}

std::int64_t SoundOutput::framesIn(Clock::duration duration) const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * m_sampleRate / 1'000'000;
}

} // namespace platform
