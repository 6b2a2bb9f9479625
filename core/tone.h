#pragma once

#include <cstdint>
#include <vector>

// The tones that let the installer align by ear: mono signed 16-bit samples
// at ToneSampleRate, every note faded in and out so that it starts and ends
// at silence and never clicks.
constexpr int ToneSampleRate = 48000;
using ToneSamples = std::vector<std::int16_t>;

// One 120 ms note whose pitch falls as the grade worsens, from 1568 Hz for 1
// ("Bueno") to 494 Hz for 5; for 6 ("Sin conectividad") two 60 ms pulses at
// 220 Hz, 60 ms apart. No samples for any other grade.
ToneSamples gradeTone(int grade);

// Three rising notes: the orientation is measured, the antenna may move.
ToneSamples measuredChime();
