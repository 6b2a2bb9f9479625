#include "main_window/cue_timer.h"

CueTimer::CueTimer(QObject* parent, int intervalMs) : QObject(parent), m_intervalMs(intervalMs)
{
    setObjectName(QStringLiteral("Timer1"));
}

void CueTimer::setEnabled(bool enabled)
{
    if (enabled && !m_enabled)
        m_sinceLastTick.restart();
    m_enabled = enabled;
}

void CueTimer::handlePendingTick()
{
    if (!m_enabled || m_sinceLastTick.elapsedMs() < m_intervalMs)
        return;
    m_sinceLastTick.restart();
    emit tick();
}
