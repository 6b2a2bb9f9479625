#pragma once

#include <cstdint>
#include <span>
#include <vector>

// One tone heard in mono 16-bit samples.
struct FoundTone {
    double onsetMs; // from the first sample
    double durationMs;
    double hz; // from its rising zero crossings
    // The largest departure of one period from their mean, as a fraction of
    // it: near 0 for a tone, large for speech, whose periods wander.
    double periodSpread;
};

// The tones in order: stretches louder than 1/50 of full scale, each ended
// by at least 1 ms below that. Fades make a tone look a little shorter than
// it is, about 1 ms at each end.
std::vector<FoundTone> findTones(std::span<const std::int16_t> samples, int sampleRate);
