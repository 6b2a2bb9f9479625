// Figure 3: the period of the real dynamic loop against 127.0.0.1, against
// each pass's own probe time plus LoopDelay.

#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "support/pass_log.h"
#include "support/report.h"
#include "support/stats.h"
#include "support/timed_probe_service.h"
#include "support/window_driver.h"
#include "timing/thread_times.h"

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

using namespace bench;

namespace {

constexpr int Periods = 20;
constexpr double AllowedExcessMs = 5;
constexpr double AllowedDriftMsPerPass = 0.1;
const char* const Goal = "each pass within 5 ms, no drift (|slope| <= 0.1 ms/pass)";

bool loopRunning(Form1& form)
{
    return form.findChild<QObject*>(u"RunDynamicAlignment"_s) != nullptr;
}

void measure(Form1& form, TimedProbeService& probe, int loopDelay)
{
    const QString figure = u"3 pass period, LoopDelay %1%2"_s.arg(loopDelay).arg(
        controlOf<QAbstractButton>(&form, u"SoundSwitch"_s)->isChecked() ? u", Sonido on"_s : QString());
    controlOf<QSlider>(&form, u"Slider1"_s)->setValue(loopDelay);
    const qsizetype firstProbe = probe.probes().size();
    QList<double> queuedAtLine; // how long the UI thread had stood ready to run, at each pass's line
    const pid_t uiThread = currentThread();
    PassLog log(form, 1, [&queuedAtLine, uiThread] { queuedAtLine.append(threadTimes(uiThread).queuedMs); });
    click(controlOf(&form, u"Command6"_s));
    const bool ran = runEventsUntil([&] { return log.passes() > Periods; }, (Periods + 2) * (loopDelay + 1100));
    click(controlOf(&form, u"Command7"_s));
    runEventsUntil([&] { return !loopRunning(form); }, 2 * loopDelay + 1500);
    if (!ran) {
        printSkipped(figure, Goal, u"only %1 passes in time"_s.arg(log.passes()));
        return;
    }
    QList<double> excess;
    QList<double> queued; // how long the UI thread stood ready to run outside the probe
    QList<double> probeTimes;
    QList<double> untilProbe; // from a pass's line to the next probe, less LoopDelay
    for (int pass = 1; pass <= Periods; ++pass) {
        const TimedProbeService::Probe& passProbe = probe.probes()[firstProbe + pass];
        probeTimes.append(passProbe.durationMs);
        excess.append(log.times()[pass] - log.times()[pass - 1] - passProbe.durationMs - loopDelay);
        queued.append(passProbe.callerQueuedAtRequestMs - queuedAtLine[pass - 1] + queuedAtLine[pass]
                      - passProbe.callerQueuedAtOutcomeMs);
        untilProbe.append(passProbe.requestedAt - log.times()[pass - 1] - loopDelay);
    }
    const Summary over = summarize(excess);
    const Summary probeTime = summarize(probeTimes);
    const double drift = slope(excess);
    printDetail(
        u"LoopDelay %1: excess per pass over probe + LoopDelay (ms): %2"_s.arg(loopDelay).arg(joined(excess, 2)));
    printDetail(u"LoopDelay %1: meanwhile, outside the probe, the UI thread stood ready for a busy"
                u" processor (ms): %2"_s.arg(loopDelay)
                    .arg(joined(queued, 2)));
    const Summary pause = summarize(untilProbe);
    printDetail(
        u"LoopDelay %1: of which from the line to the next probe (events, pause): mean %2, max %3 ms"_s.arg(loopDelay)
            .arg(pause.mean, 0, 'f', 2)
            .arg(pause.max, 0, 'f', 2));
    printFigure(figure,
                u"excess mean %1, max %2, drift %3 ms/pass"_s.arg(over.mean, 0, 'f', 2)
                    .arg(over.max, 0, 'f', 2)
                    .arg(drift, 0, 'f', 3),
                u"probe %1 ms + LoopDelay %2 ms"_s.arg(probeTime.mean, 0, 'f', 2).arg(loopDelay),
                QString::fromLatin1(Goal),
                over.max <= AllowedExcessMs && over.min >= -AllowedExcessMs && qAbs(drift) <= AllowedDriftMsPerPass);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ThreadedProbeService real;
    if (!real.socketsStartup()) {
        for (int loopDelay : {500, 2500})
            printSkipped(u"3 pass period, LoopDelay %1"_s.arg(loopDelay), Goal, real.startupFailure());
        return 0;
    }
    TimedProbeService probe(real);
    ThreadedTonePlayer tones;
    ThreadedSpeaker voice;
    OrienzoWindow form(probe, tones, voice);
    form.show();
    typeDynamicAddress(form, u"127.0.0.1"_s);
    for (int loopDelay : {500, 2500})
        measure(form, probe, loopDelay);
    controlOf<QAbstractButton>(&form, u"SoundSwitch"_s)->click();
    measure(form, probe, 500);
    return 0;
}
