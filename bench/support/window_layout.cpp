#include "support/window_layout.h"
#include "core/guided_orientation.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "guided/measurement_window.h"
#include "guided/prompt_window.h"
#include "main_window/form1.h"
#include "support/steady_probe_service.h"

namespace bench {

namespace {

QString key(const QString& window, const QString& control)
{
    return window + u'/' + control;
}

} // namespace

WindowLayout::WindowLayout()
{
    SteadyProbeService probe;
    ThreadedTonePlayer tones;
    ThreadedSpeaker voice;
    Form1 main(probe, tones, voice);
    main.show(); // lays the menu bar out above the pages
    Form2 measurement(&main);
    Form4 prompt(&main, orientationOfStep(1));
    const QList<QWidget*> windows{&main, &measurement, &prompt};
    for (QWidget* window : windows) {
        m_sizes.insert(window->objectName(), window->size());
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->window() == window && !control->objectName().isEmpty())
                m_centres.insert(key(window->objectName(), control->objectName()),
                                 control->mapTo(window, control->rect().center()));
    }
}

QSize WindowLayout::sizeOf(const QString& window) const
{
    return m_sizes.value(window);
}

QPoint WindowLayout::centreOf(const QString& window, const QString& control) const
{
    return m_centres.value(key(window, control));
}

} // namespace bench
