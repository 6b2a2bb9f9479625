#include "sound/monitor_recorder.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

constexpr std::size_t BlockSamples = ToneSampleRate / 200;

}  // namespace

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

bool MonitorRecorder::start()
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, ToneSampleRate, 1};
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{serverDefault, serverDefault, serverDefault, serverDefault,
                                static_cast<std::uint32_t>(BlockSamples * sizeof(std::int16_t))};
    int error = 0;
    stream_ = pa_simple_new(nullptr, "Orienzo tone lab", PA_STREAM_RECORD, "@DEFAULT_MONITOR@", "monitor",
                            &format, nullptr, &buffer, &error);
    if (!stream_) {
        failure_ = QString::fromUtf8(pa_strerror(error));
        return false;
    }
    thread_ = std::jthread([this](std::stop_token stop) { record(stop); });
    return true;
}

ToneSamples MonitorRecorder::stop()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    if (stream_)
        pa_simple_free(stream_);
    stream_ = nullptr;
    return std::move(samples_);
}

MonitorRecorder::Clock::time_point MonitorRecorder::firstSampleAt() const
{
    return firstSampleAt_;
}

QString MonitorRecorder::failure() const
{
    return failure_;
}

void MonitorRecorder::record(std::stop_token stop)
{
    std::int16_t block[BlockSamples];
    while (!stop.stop_requested()) {
        int error = 0;
        if (pa_simple_read(stream_, block, sizeof block, &error) < 0) {
            failure_ = QString::fromUtf8(pa_strerror(error));
            return;
        }
        samples_.insert(samples_.end(), std::begin(block), std::end(block));
        const auto recorded = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(samples_.size()) / ToneSampleRate));
        firstSampleAt_ = std::min(firstSampleAt_, Clock::now() - recorded);
    }
}
