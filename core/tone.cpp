#include "core/tone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double Amplitude = 0.3 * 32767;
constexpr int FadeMs = 5;
constexpr int GradeNoteMs = 120;
constexpr int PulseMs = 60;
constexpr int PulseGapMs = 60;
constexpr double PulseHz = 220;
constexpr int ChimeNoteMs = 80;
constexpr std::array<double, 5> GradeHz{1568, 1175, 880, 659, 494};
constexpr std::array<double, 3> ChimeHz{1047, 1319, 1568};

int samplesIn(int ms)
{
    return ToneSampleRate * ms / 1000;
}

// Raised-cosine gain over the first and last FadeMs: 0 at both ends.
double fadeGain(int index, int count)
{
    const int fade = samplesIn(FadeMs);
    const int fromEdge = std::min(index, count - 1 - index);
    if (fromEdge >= fade)
        return 1.0;
    return 0.5 * (1.0 - std::cos(std::numbers::pi * fromEdge / fade));
}

void appendNote(ToneSamples& samples, double hz, int ms)
{
    const int count = samplesIn(ms);
    for (int i = 0; i < count; ++i) {
        const double wave = std::sin(2 * std::numbers::pi * hz * i / ToneSampleRate);
        samples.push_back(static_cast<std::int16_t>(std::lround(Amplitude * fadeGain(i, count) * wave)));
    }
}

void appendSilence(ToneSamples& samples, int ms)
{
    samples.insert(samples.end(), samplesIn(ms), 0);
}

} // namespace

ToneSamples gradeTone(int grade)
{
    ToneSamples samples;
    if (grade >= 1 && grade <= 5) {
        appendNote(samples, GradeHz[grade - 1], GradeNoteMs);
    } else if (grade == 6) {
        appendNote(samples, PulseHz, PulseMs);
        appendSilence(samples, PulseGapMs);
        appendNote(samples, PulseHz, PulseMs);
    }
    return samples;
}

ToneSamples measuredChime()
{
    ToneSamples samples;
    for (double hz : ChimeHz)
        appendNote(samples, hz, ChimeNoteMs);
    return samples;
}
