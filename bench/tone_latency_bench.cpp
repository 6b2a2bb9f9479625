// Figure 9: from a pass's column drawn to its tone heard. The dynamic loop
// runs against 127.0.0.1 with "Sonido" on, playing into a sound server whose
// default sink is a null sink (scripts/sound-server); the sink's monitor is
// recorded, and each pass's tone is matched with the moment the pass logged
// its line, right after drawing its column.

#include "desktop/window_actions.h"
#include "figures/report.h"
#include "figures/stats.h"
#include "sound/tone_analysis.h"
#include "support/heard_window.h"
#include "timing/clock.h"
#include "timing/pass_log.h"

#include <QApplication>
#include <QToolButton>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

constexpr int Passes = 20;
const QString Figure = u"9 tone onset after its column"_s;
const QString Goal = u"median <= 50 ms, worst <= 100 ms"_s;

// PipeWire hands the recording over at the end of each block it plays, so
// there the recording's clock, and this figure, can be up to one block
// (21 ms) early; a tone may seem to start before its pass.
constexpr double ClockSlackMs = 25;

// For each pass, how long after its line its tone set in; a pass whose tone
// never came counts as not heard.
QList<double> latencies(const QList<double>& passTimes, const std::vector<FoundTone>& tones, double recordingStart)
{
    QList<double> delays;
    auto next = tones.begin();
    for (const double passAt : passTimes) {
        next = std::find_if(next, tones.end(), [&](const FoundTone& tone) {
            return recordingStart + tone.onsetMs >= passAt - ClockSlackMs;
        });
        if (next == tones.end())
            break;
        delays.append(recordingStart + next->onsetMs - passAt);
        ++next;
    }
    return delays;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    HeardWindow program;
    if (!program.open(Figure, Goal))
        return 0;
    OrienzoWindow& form = program.form();
    typeDynamicAddress(form, u"127.0.0.1"_s);
    controlOf<QAbstractButton>(&form, u"SoundSwitch"_s)->click();
    runEventsFor(500);
    PassLog log(form);
    click(controlOf(&form, u"Command6"_s));
    runEventsUntil([&] { return log.passes() >= Passes; }, Passes * 2000);
    click(controlOf(&form, u"Command7"_s));
    runEventsFor(1000);
    const std::vector<FoundTone> heard = findTones(program.recorder().stop(), ToneSampleRate);
    const QList<double> delays = latencies(log.times(), heard, monotonicMs(program.recorder().firstSampleAt()));
    printDetail(
        u"%1 passes, %2 tones heard; delays (ms): %3"_s.arg(log.passes()).arg(heard.size()).arg(joined(delays, 1)));
    if (delays.size() < Passes) {
        printFigure(Figure, u"%1 of %2 passes heard"_s.arg(delays.size()).arg(Passes), QString(), Goal, false);
        return 0;
    }
    const Summary delay = summarize(delays);
    const double middle = median(delays);
    printFigure(Figure,
                u"median %1 ms, worst %2 ms, over %3 passes"_s.arg(middle, 0, 'f', 1)
                    .arg(delay.max, 0, 'f', 1)
                    .arg(delays.size()),
                u"the player places each tone some 35 ms after its pass, on the stream's clock"_s, Goal,
                middle <= 50 && delay.max <= 100);
    return 0;
}
