#include "main_window/form1.h"

#include "core/probe_service.h"

#include <utility>

AlignmentState& Form1::state()
{
    return State;
}

ProbeService& Form1::probe()
{
    return Probe;
}

QWidget* Form1::mainWindow()
{
    return this;
}

void Form1::runMeasurement(QObject* procedure)
{
    procedure->setParent(this);
    m_measurement = procedure;
}

void Form1::endMeasurement()
{
    m_measurement->deleteLater();
    m_measurement = nullptr;
    if (m_heldStart)
        std::exchange(m_heldStart, {})();
}

// "CALCULAR" and "INICIAR" are enabled again as soon as "DETENER" is pressed,
// while the stopped run still takes its last probe or pause. A start pressed
// then waits for that run's reset, as if the click had waited for the pause
// to end: the new run then starts from the reset's cleared log and chart,
// and "CALCULAR" reads the guided boxes the reset put back at "0". Presses
// after the first, which the first would have disabled, change nothing.
void Form1::startAfterStoppedRun(const std::function<void()>& command)
{
    if (!m_measurement)
        command();
    else if (!m_heldStart)
        m_heldStart = command;
}

void Form1::resetAlignment()
{
    ResetAlignment(State, *this);
    Probe.alignmentEnded();
}
