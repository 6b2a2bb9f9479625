// Figure 10: from a guided prompt shown to its sentence heard, and from the
// fourth "COMPLETADO" to the result heard. A guided alignment runs against
// 127.0.0.1 with "Sonido" on, speaking through a speech service that plays
// into a sound server whose default sink is a null sink (scripts/sound-server);
// the sink's monitor is recorded. The first sentence after switching the
// sound on also waits for the voice to start, and is given apart.

#include "desktop/window_actions.h"
#include "figures/report.h"
#include "figures/stats.h"
#include "sound/tone_analysis.h"
#include "support/heard_window.h"
#include "timing/clock.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

// Long enough for a prompt's sentence to end before it is answered, so that
// the next sentence starts from silence.
constexpr int SentenceMs = 7000;
const QString Figure = u"10 sentence onset after its window"_s;
const QString Goal = u"median <= 400 ms once the voice runs"_s;

// Notes on the clock when each prompt is shown.
class Moments : public QObject {
public:
    QList<double> promptsShown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == u"Form4"_s)
            promptsShown.append(monotonicMs());
        return false;
    }
};

QPushButton* buttonOf(const QString& window)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == window && widget->isVisible())
            return widget->findChild<QPushButton*>(u"Command1"_s);
    return nullptr;
}

// How long after each moment its sentence set in: the first sound heard
// after it, timed on the recording's clock as figure 9's tones are; stops at
// the first not heard.
QList<double> delaysAfter(const QList<double>& moments, const QList<double>& onsets)
{
    QList<double> delays;
    for (const double moment : moments) {
        const auto sentence = std::ranges::find_if(onsets, [&](double onset) { return onset >= moment; });
        if (sentence == onsets.end())
            break;
        delays.append(*sentence - moment);
    }
    return delays;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsEmpty("SPEECHD_ADDRESS")) {
        printSkipped(Figure, Goal, u"no speech service of our own (scripts/sound-server)"_s);
        return 0;
    }
    HeardWindow program;
    if (!program.open(Figure, Goal))
        return 0;
    OrienzoWindow& form = program.form();
    typeGuidedAddress(form, u"127.0.0.1"_s);
    controlOf<QAbstractButton>(&form, u"SoundSwitch"_s)->click();
    Moments moments;
    application.installEventFilter(&moments);
    click(controlOf(&form, u"Command1"_s));
    QList<double> asked; // prompts 2 to 4, and the result
    for (int orientation = 1; orientation <= 4; ++orientation) {
        runEventsUntil([] { return buttonOf(u"Form4"_s); }, 2000);
        runEventsFor(SentenceMs);
        click(buttonOf(u"Form4"_s));
        runEventsUntil([] { return buttonOf(u"Form2"_s) && buttonOf(u"Form2"_s)->isEnabled(); }, 20000);
        runEventsFor(1000);          // the last tone and the chime end
        asked.append(monotonicMs()); // the next prompt or, after the last, the result is said now
        click(buttonOf(u"Form2"_s));
    }
    runEventsFor(SentenceMs);
    const std::vector<FoundTone> heard = findTones(program.recorder().stop(), ToneSampleRate);
    QList<double> onsets;
    for (const FoundTone& sound : heard)
        onsets.append(monotonicMs(program.recorder().playedAt(sound.onsetMs)));
    const QList<double> delays = delaysAfter(moments.promptsShown.mid(0, 1) + asked, onsets);
    const qsizetype expected = asked.size() + 1;
    printDetail(u"onsets (ms) of prompts 1 to 4 and the result: %1"_s.arg(joined(delays, 1)));
    if (delays.size() < expected) {
        printFigure(Figure, u"%1 of %2 sentences heard"_s.arg(delays.size()).arg(expected), QString(), Goal, false);
        return 0;
    }
    const QList<double> running = delays.mid(1);
    const double middle = median(running);
    printFigure(Figure,
                u"median %1 ms, worst %2 ms over prompts 2 to 4 and the result; first after "
                u"switching on %3 ms"_s.arg(middle, 0, 'f', 1)
                    .arg(summarize(running).max, 0, 'f', 1)
                    .arg(delays[0], 0, 'f', 1),
                u"timed on the recording's clock, as figure 9"_s, Goal, middle <= 400);
    return 0;
}
