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

// A tone heard a little before its pass is a fault of the recording's clock,
// which then fails the figure, rather than the next pass's tone.
constexpr double ClockSlackMs = 25;

// For each pass, how long after its line its tone set in, by the moments the
// tones were heard; a pass whose tone never came counts as not heard.
QList<double> latencies(const QList<double>& passTimes, const QList<double>& onsets)
{
    QList<double> delays;
    auto next = onsets.begin();
    for (const double passAt : passTimes) {
        next = std::find_if(next, onsets.end(), [&](double onset) { return onset >= passAt - ClockSlackMs; });
        if (next == onsets.end())
            break;
        delays.append(*next - passAt);
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
    QList<double> onsets;
    for (const FoundTone& tone : heard)
        onsets.append(monotonicMs(program.recorder().playedAt(tone.onsetMs)));
    const QList<double> delays = latencies(log.times(), onsets);
    printDetail(
        u"%1 passes, %2 tones heard; delays (ms): %3"_s.arg(log.passes()).arg(heard.size()).arg(joined(delays, 1)));
    if (delays.size() < Passes) {
        printFigure(Figure, u"%1 of %2 passes heard"_s.arg(delays.size()).arg(Passes), QString(), Goal, false);
        return 0;
    }
    const Summary delay = summarize(delays);
    if (delay.min < 0) {
        printFigure(Figure, u"failed: a tone heard %1 ms before its column"_s.arg(-delay.min, 0, 'f', 1), QString(),
                    Goal, std::nullopt);
        return 0;
    }
    const double middle = median(delays);
    printFigure(Figure,
                u"median %1 ms, worst %2 ms, over %3 passes"_s.arg(middle, 0, 'f', 1)
                    .arg(delay.max, 0, 'f', 1)
                    .arg(delays.size()),
                u"PipeWire plays a stream two blocks after it takes it; the player asks for blocks of 10.7 ms"_s, Goal,
                middle <= 50 && delay.max <= 100);
    return 0;
}
