// Sounds tones through ThreadedTonePlayer while it records the default
// sink's monitor: every grade's tone and the chime, half a second apart; then
// grade 1 and, while it plays, grades 3 and 5, of which 3 must give way to 5;
// then grade 1 on a beat of 500 ms, twenty times. Start it with a sound
// server whose default sink is a null sink (scripts/sound-server), so that
// nothing else plays into it. It prints one line per note asked for:
//
//   note <name> <n>: at <ms> heard <ms> later, <Hz> Hz of <Hz>, <ms> ms of <ms>
//   note <name> <n>: at <ms> not heard
//
// the pitch and length heard beside those found in the player's own samples,
// then one line per sound heard that belongs to no note ("stray ..."), and
// last how regular the beat was heard ("beat: ...").
#include "core/threaded_tone_player.h"
#include "core/tone.h"
#include "sound/monitor_recorder.h"
#include "sound/tone_analysis.h"

#include <QCoreApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;
using Clock = MonitorRecorder::Clock;

namespace {

constexpr int BeatPasses = 20;

struct Note {
    QString name;
    FoundTone own; // in the player's samples, its onset from theirs
    Clock::time_point asked;
    const FoundTone* heard = nullptr;
};

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The first sound not yet claimed that starts after the note was asked for
// and has its pitch; the recording's clock may be a little late, hence the
// allowance.
const FoundTone* heardFor(const Note& note, const MonitorRecorder& recorder, const std::vector<FoundTone>& heard,
                          std::vector<bool>& claimed)
{
    for (std::size_t i = 0; i < heard.size(); ++i) {
        if (!claimed[i] && msBetween(note.asked, recorder.playedAt(heard[i].onsetMs)) >= note.own.onsetMs - 5
            && std::abs(heard[i].hz - note.own.hz) <= note.own.hz / 50) {
            claimed[i] = true;
            return &heard[i];
        }
    }
    return nullptr;
}

double standardDeviation(const std::vector<double>& values)
{
    double sum = 0;
    double squares = 0;
    for (const double value : values) {
        sum += value;
        squares += value * value;
    }
    const double mean = sum / double(values.size());
    return std::sqrt(std::max(0.0, squares / double(values.size()) - mean * mean));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "play_tones: cannot record the monitor: %s\n", qPrintable(recorder.failure()));
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(MonitorRecorder::SinkSettleMs));

    ThreadedTonePlayer player;
    player.setSoundOn(true);
    std::vector<Note> notes;
    auto play = [&](const QString& name, ToneSamples samples) {
        for (const FoundTone& own : findTones(samples, ToneSampleRate))
            notes.push_back({name, own, Clock::now()});
        player.play(std::move(samples));
    };
    for (int grade = 1; grade <= 6; ++grade) {
        play(u"grade %1"_s.arg(grade), gradeTone(grade));
        std::this_thread::sleep_for(500ms);
    }
    play(u"chime"_s, measuredChime());
    std::this_thread::sleep_for(500ms);
    play(u"grade 1"_s, gradeTone(1));
    std::this_thread::sleep_for(40ms);
    play(u"grade 3, to give way"_s, gradeTone(3));
    play(u"grade 5"_s, gradeTone(5));
    std::this_thread::sleep_for(500ms);
    const Clock::time_point beat = Clock::now();
    for (int pass = 0; pass < BeatPasses; ++pass) {
        std::this_thread::sleep_until(beat + pass * 500ms);
        play(u"beat"_s, gradeTone(1));
    }
    std::this_thread::sleep_for(500ms);

    const std::vector<FoundTone> heard = findTones(recorder.stop(), ToneSampleRate);
    QCoreApplication::processEvents();
    std::vector<bool> claimed(heard.size());
    std::vector<double> beatOnsets;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Note& note = notes[i];
        note.heard = heardFor(note, recorder, heard, claimed);
        std::printf("note %s %zu: at %.1f ", qPrintable(note.name), i, msBetween(notes.front().asked, note.asked));
        if (!note.heard) {
            std::printf("not heard\n");
            continue;
        }
        std::printf("heard %.1f ms later, %.1f Hz of %.1f, %.1f ms of %.1f\n",
                    msBetween(note.asked, recorder.playedAt(note.heard->onsetMs)) - note.own.onsetMs, note.heard->hz,
                    note.own.hz, note.heard->durationMs, note.own.durationMs);
        if (note.name == u"beat")
            beatOnsets.push_back(note.heard->onsetMs);
    }
    for (std::size_t i = 0; i < heard.size(); ++i)
        if (!claimed[i])
            std::printf("stray: at %.1f ms, %.1f Hz, %.1f ms\n", heard[i].onsetMs, heard[i].hz, heard[i].durationMs);
    std::vector<double> intervals;
    for (std::size_t i = 1; i < beatOnsets.size(); ++i)
        intervals.push_back(beatOnsets[i] - beatOnsets[i - 1]);
    std::printf("beat: %zu of %d heard, onset to onset standard deviation %.2f ms\n", beatOnsets.size(), BeatPasses,
                intervals.empty() ? 0.0 : standardDeviation(intervals));
    std::printf("sound output: %s\n",
                player.unavailableReason().isEmpty() ? "working" : qPrintable(player.unavailableReason()));
    return 0;
}
