#include "sound/monitor_recorder.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

constexpr std::size_t BlockSamples = ToneSampleRate / 200;

// What the server hands over at a time: as scripts/sound-server says for it,
// else 100 ms. A recorder that asks for less makes PipeWire play everything
// in smaller blocks, and so changes what is heard.
std::uint32_t fragmentBytes()
{
    const int ms = qEnvironmentVariableIntValue("ORIENZO_MONITOR_LATENCY_MS");
    return std::uint32_t((ms > 0 ? ms : 100) * ToneSampleRate / 1000 * sizeof(std::int16_t));
}

} // namespace

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

bool MonitorRecorder::start()
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, ToneSampleRate, 1};
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{serverDefault, serverDefault, serverDefault, serverDefault, fragmentBytes()};
    int error = 0;
    m_stream = pa_simple_new(nullptr, "Orienzo tone lab", PA_STREAM_RECORD, "@DEFAULT_MONITOR@", "monitor", &format,
                             nullptr, &buffer, &error);
    if (!m_stream) {
        m_failure = QString::fromUtf8(pa_strerror(error));
        return false;
    }
    m_thread = std::jthread([this](std::stop_token stop) { record(stop); });
    return true;
}

ToneSamples MonitorRecorder::stop()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    if (m_stream)
        pa_simple_free(m_stream);
    m_stream = nullptr;
    return std::move(m_samples);
}

MonitorRecorder::Clock::time_point MonitorRecorder::firstSampleAt() const
{
    return m_firstSampleAt;
}

QString MonitorRecorder::failure() const
{
    return m_failure;
}

void MonitorRecorder::record(std::stop_token stop)
{
    std::int16_t block[BlockSamples];
    while (!stop.stop_requested()) {
        int error = 0;
        if (pa_simple_read(m_stream, block, sizeof block, &error) < 0) {
            m_failure = QString::fromUtf8(pa_strerror(error));
            return;
        }
        m_samples.insert(m_samples.end(), std::begin(block), std::end(block));
        const auto recorded = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(m_samples.size()) / ToneSampleRate));
        m_firstSampleAt = std::min(m_firstSampleAt, Clock::now() - recorded);
    }
}
