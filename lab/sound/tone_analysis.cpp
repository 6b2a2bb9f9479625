#include "sound/tone_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int LoudLevel = 32768 / 50;

bool isLoud(std::int16_t sample)
{
    return std::abs(int(sample)) > LoudLevel;
}

struct Pitch {
    double hz = 0;
    double periodSpread = 0;
};

// Rising zero crossings, placed between samples by linear interpolation,
// give the periods to a small fraction of a sample.
Pitch pitchOf(std::span<const std::int16_t> samples, int sampleRate)
{
    std::vector<double> crossings;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double before = samples[i - 1];
        const double after = samples[i];
        if (before < 0 && after >= 0)
            crossings.push_back(double(i - 1) + before / (before - after));
    }
    if (crossings.size() < 2)
        return {};
    const double meanPeriod = (crossings.back() - crossings.front()) / double(crossings.size() - 1);
    double spread = 0;
    for (std::size_t i = 1; i < crossings.size(); ++i)
        spread = std::max(spread, std::abs(crossings[i] - crossings[i - 1] - meanPeriod) / meanPeriod);
    return {sampleRate / meanPeriod, spread};
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
        const Pitch pitch = pitchOf(tone, sampleRate);
        tones.push_back(
            {(next - samples.begin()) * msPerSample, tone.size() * msPerSample, pitch.hz, pitch.periodSpread});
        next = lastLoud + 1;
    }
    return tones;
}
