#include "guided/guided_alignment.h"

#include "core/guided_orientation.h"
#include "core/spoken_guidance.h"
#include "guided/measurement_pattern.h"
#include "guided/prompt_window.h"
#include "main_window/guided_view.h"

GuidedAlignment::GuidedAlignment(GuidedView& view) : m_view(view), m_pattern(new MeasurementPattern(view, this))
{
    connect(m_pattern, &MeasurementPattern::completed, this, &GuidedAlignment::complete);
}

void GuidedAlignment::start()
{
    AlignmentState& state = m_view.state();
    state.GuidedStep = 1;
    state.ProbeCount = 0;
    state.StopRequested = false;
    m_view.showAlignmentStarted();
    openPrompt();
}

// The prompt is answered, so what it says is no longer needed, and the
// tones of the samples come alone.
void GuidedAlignment::accept()
{
    m_view.silenceSpeech();
    m_pattern->RunMeasurementPattern();
}

void GuidedAlignment::complete()
{
    AlignmentState& state = m_view.state();
    m_view.showOrientationCompleted(orientationOfStep(state.GuidedStep));
    ++state.GuidedStep;
    m_pattern->closeWindow();
    if (state.GuidedStep > guidedOrientations().back().step)
        finish();
    else
        openPrompt();
}

void GuidedAlignment::abandon()
{
    m_view.silenceSpeech();
    m_view.resetAlignment();
    m_view.endMeasurement();
}

void GuidedAlignment::openPrompt()
{
    const GuidedOrientation* next = orientationOfStep(m_view.state().GuidedStep);
    auto* prompt = new Form4(m_view.mainWindow(), next);
    connect(prompt, &Form4::accepted, this, &GuidedAlignment::accept);
    connect(prompt, &Form4::stopped, this, &GuidedAlignment::abandon);
    prompt->show();
    m_view.speak(spokenPrompt(*next));
}

void GuidedAlignment::finish()
{
    m_view.showAlignmentFinished();
    m_view.sayCorrections();
    m_view.endMeasurement();
}
