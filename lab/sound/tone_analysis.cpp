#include "sound/tone_analysis.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int LoudLevel = 32768 / 50;

bool isLoud(std::int16_t sample)
{
    return std::abs(int(sample)) > LoudLevel;
}

// Rising zero crossings, placed between samples by linear interpolation,
// give the period to a small fraction of a sample.
double pitchHz(std::span<const std::int16_t> samples, int sampleRate)
{
    int crossings = 0;
    double first = 0;
    double last = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double before = samples[i - 1];
        const double after = samples[i];
        if (before >= 0 || after < 0)
            continue;
        last = double(i - 1) + before / (before - after);
        if (crossings++ == 0)
            first = last;
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * sampleRate / (last - first);
}

} // namespace

std::vector<FoundTone> findTones(std::span<const std::int16_t> samples, int sampleRate)
{
    const std::size_t endingGap = sampleRate / 1000;
    const double msPerSample = 1000.0 / sampleRate;
    std::vector<FoundTone> tones;
    auto next = samples.begin();
    while ((next = std::find_if(next, samples.end(), isLoud)) != samples.end()) {
        auto lastLoud = next;
        for (auto it = next + 1; it != samples.end() && std::size_t(it - lastLoud) <= endingGap; ++it) {
            if (isLoud(*it))
                lastLoud = it;
        }
        const std::span<const std::int16_t> tone(next, lastLoud + 1);
        tones.push_back({(next - samples.begin()) * msPerSample, tone.size() * msPerSample, pitchHz(tone, sampleRate)});
        next = lastLoud + 1;
    }
    return tones;
}
