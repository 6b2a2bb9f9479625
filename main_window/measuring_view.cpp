#include "main_window/form1.h"

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

// The measuring procedure now running, if any, ends at once and `procedure`
// takes its place, so that one probe goes out at a time: a dynamic run
// stopped with "DETENER" may still be finishing its last pass.
void Form1::runMeasurement(QObject* procedure)
{
    delete m_measurement.data();
    procedure->setParent(this);
    m_measurement = procedure;
}

void Form1::endMeasurement()
{
    m_measurement->deleteLater();
    m_measurement = nullptr;
}

void Form1::resetAlignment()
{
    ResetAlignment(State, *this);
}
