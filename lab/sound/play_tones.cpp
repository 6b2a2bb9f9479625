// Sounds every grade's tone and the chime through ThreadedTonePlayer, half a
// second apart, then grade 1 and, while it plays, grades 3 and 5, of which 3
// must give way to 5. Meanwhile it records the default sink's monitor and
// prints, for each play(), how much later its tone was played there, its
// pitch and duration, or that it was not heard. Start it with a sound server
// whose default sink is a null sink (scripts/sound-server), so that nothing
// else plays into it.
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

struct Play {
    QString name;
    double hz; // of its first note
    Clock::time_point at;
};

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The first tone not yet claimed that starts after the play() and has its
// pitch, or tones.size(); the recording clock may be a block late, hence the
// allowance.
std::size_t heardFor(const Play& play, double playedMs, const std::vector<FoundTone>& tones, std::vector<bool>& claimed)
{
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const FoundTone& tone = tones[i];
        if (!claimed[i] && tone.onsetMs >= playedMs - 5 && std::abs(tone.hz - play.hz) <= play.hz / 50) {
            claimed[i] = true;
            return i;
        }
    }
    return tones.size();
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
    // A null sink renders two seconds at a time until a client asks for
    // less, as the recorder does, and takes up to that long to change.
    std::this_thread::sleep_for(2500ms);

    ThreadedTonePlayer player;
    player.setSoundOn(true);
    std::vector<Play> plays;
    auto play = [&](const QString& name, ToneSamples samples) {
        plays.push_back({name, findTones(samples, ToneSampleRate).front().hz, Clock::now()});
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
    std::this_thread::sleep_for(600ms);

    const std::vector<FoundTone> tones = findTones(recorder.stop(), ToneSampleRate);
    std::vector<bool> claimed(tones.size());
    QCoreApplication::processEvents();
    for (const Play& each : plays) {
        const double playedMs = msBetween(recorder.firstSampleAt(), each.at);
        std::printf("%-22s play() at %7.1f ms: ", qPrintable(each.name), playedMs);
        const std::size_t heard = heardFor(each, playedMs, tones, claimed);
        if (heard == tones.size())
            std::printf("not heard\n");
        else
            std::printf("heard %5.1f ms later, %7.1f Hz, %5.1f ms\n", tones[heard].onsetMs - playedMs, tones[heard].hz,
                        tones[heard].durationMs);
    }
    std::printf("sound output: %s\n",
                player.unavailableReason().isEmpty() ? "working" : qPrintable(player.unavailableReason()));
    return 0;
}
