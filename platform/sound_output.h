#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <span>

struct pa_simple;

namespace platform {

// One playback stream to the desktop's sound server through PulseAudio's
// simple API, which PipeWire's PulseAudio service answers too: mono signed
// 16-bit samples that start playing as soon as a little is written.
// Every call blocks; the UI thread never makes them.
class SoundOutput {
public:
    SoundOutput() = default;
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Connects to the default server and sink; false with failure() set.
    bool open(int sampleRate);
    bool isOpen() const;
    // Returns once the server has taken every sample into its buffer. On
    // false the stream is closed and failure() says why.
    bool write(std::span<const std::int16_t> samples);
    // How long until the last sample written is heard; zero when unknown.
    std::chrono::microseconds unplayed() const;
    void close();
    // Why the last open or write failed, in Spanish.
    QString failure() const;

private:
    pa_simple* m_stream = nullptr;
    QString m_failure;
};

} // namespace platform
