#include "support/heard_window.h"

#include "desktop/window_actions.h"
#include "figures/report.h"

namespace bench {

bool HeardWindow::open(const QString& figure, const QString& goal)
{
    const bool probing = m_probe.socketsStartup();
    if (!probing || !m_recorder.start()) {
        printSkipped(figure, goal, probing ? m_recorder.failure() : m_probe.startupFailure());
        return false;
    }
    runEventsFor(MonitorRecorder::SinkSettleMs);
    m_form = std::make_unique<OrienzoWindow>(m_probe, m_tones, m_voice);
    m_form->show();
    return true;
}

} // namespace bench
