// Figure 6: 100,000 passes of the dynamic loop on steady scripted answers with
// the pauses cut to nothing: resident memory and time per pass, early and late.
// Time per pass is read on the UI thread's processor time, as the median of
// the ten stretches of 1,000 passes in each 10,000, so that other work on the
// machine does not pass for a slowdown of the program.

#include "app/orienzo_window.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "desktop/window_actions.h"
#include "figures/report.h"
#include "figures/stats.h"
#include "platform/pause_clock.h"
#include "support/resident_memory.h"
#include "support/steady_probe_service.h"
#include "timing/clock.h"
#include "timing/pass_log.h"
#include "timing/thread_times.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

constexpr int Passes = 100'000;
constexpr int Stretch = 1'000;
constexpr int StretchesPerBlock = 10; // a block: 10,000 passes
constexpr int TimeLimitMs = 900'000;
constexpr qint64 AllowedGrowthKiB = 1024;
constexpr double AllowedSlowdown = 1.10;

struct Mark {
    double at;        // monotonicMs()
    double runningMs; // the UI thread's processor time
    qint64 residentKiB;
};

Mark markNow(pid_t uiThread)
{
    return {monotonicMs(), threadTimes(uiThread).runningMs, residentKiB()};
}

// Microseconds a pass in each stretch of a block, as it came and running.
struct Block {
    QList<double> wall;
    QList<double> running;
    qint64 residentKiB;
};

Block blockOf(const QList<Mark>& marks, int block)
{
    Block result{{}, {}, marks[(block + 1) * StretchesPerBlock].residentKiB};
    for (int stretch = block * StretchesPerBlock; stretch < (block + 1) * StretchesPerBlock; ++stretch) {
        result.wall.append((marks[stretch + 1].at - marks[stretch].at) * 1000 / Stretch);
        result.running.append((marks[stretch + 1].runningMs - marks[stretch].runningMs) * 1000 / Stretch);
    }
    return result;
}

QString perPass(const Block& block)
{
    return u"%1 us running (best %2; %3 as it came)"_s.arg(median(block.running), 0, 'f', 1)
        .arg(std::ranges::min(block.running), 0, 'f', 1)
        .arg(median(block.wall), 0, 'f', 1);
}

void report(const QList<Mark>& marks, qint64 atStart)
{
    const int blocks = Passes / (Stretch * StretchesPerBlock);
    QStringList lines;
    for (int block = 0; block < blocks; ++block) {
        const Block measured = blockOf(marks, block);
        lines.append(u"%1k: %2 KiB, %3"_s.arg((block + 1) * 10).arg(measured.residentKiB).arg(perPass(measured)));
    }
    printDetail(u"resident memory before the run: %1 KiB; per 10,000 passes: "_s.arg(atStart) + lines.join(u"; "_s));

    const Block first = blockOf(marks, 0);
    const Block last = blockOf(marks, blocks - 1);
    const qint64 growth = last.residentKiB - first.residentKiB;
    printFigure(u"6 soak, resident memory"_s,
                u"%1 at the end, %2 KiB more than after 10,000 passes"_s.arg(mebibytes(last.residentKiB)).arg(growth),
                u"%1 before the run, %2 after 10,000"_s.arg(mebibytes(atStart), mebibytes(first.residentKiB)),
                u"flat: < 1 MiB growth from pass 10,000 to 100,000"_s, growth < AllowedGrowthKiB);
    printFigure(u"6 soak, time per pass"_s, u"last 10,000: "_s + perPass(last), u"first 10,000: "_s + perPass(first),
                u"constant: last within 10% of first"_s,
                median(last.running) <= AllowedSlowdown * median(first.running));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    platform::setPauseSpeedup(1'000'000);
    SteadyProbeService probe;
    ThreadedTonePlayer tones;
    ThreadedSpeaker voice;
    OrienzoWindow form(probe, tones, voice);
    form.show();
    typeDynamicAddress(form, u"127.0.0.1"_s);
    runEventsFor(200);

    const qint64 atStart = residentKiB();
    const pid_t uiThread = currentThread();
    QList<Mark> marks;
    marks.reserve(Passes / Stretch + 1);
    PassLog log(form, Stretch, [&] { marks.append(markNow(uiThread)); });
    marks.append(markNow(uiThread));
    click(controlOf(&form, u"Command6"_s));
    const bool ran = runEventsUntil([&] { return log.passes() >= Passes; }, TimeLimitMs);
    click(controlOf(&form, u"Command7"_s));
    runEventsFor(100);
    if (ran)
        report(marks, atStart);
    else
        printSkipped(u"6 soak"_s, u"flat memory, constant time"_s,
                     u"only %1 passes in %2 s"_s.arg(log.passes()).arg(TimeLimitMs / 1000));
    return 0;
}
