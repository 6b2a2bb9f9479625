#include "guided/guided_alignment.h"

#include "core/guided_orientation.h"
#include "core/spoken_guidance.h"
#include "guided/measurement_pattern.h"
#include "guided/prompt_window.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/form1.h"
#include "main_window/shape.h"

#include <QLineEdit>
#include <QListWidget>

using namespace Qt::StringLiterals;

GuidedAlignment::GuidedAlignment(Form1& form)
    : QObject(&form), m_form(form), m_pattern(new MeasurementPattern(form, this))
{
    connect(m_pattern, &MeasurementPattern::completed, this, &GuidedAlignment::complete);
}

void GuidedAlignment::start()
{
    m_form.disableStartButtons();
    m_form.State.GuidedStep = 1;
    m_form.State.ProbeCount = 0;
    m_form.State.StopRequested = false;
    m_form.List1->addItem(u"Iniciando alineacion de antena"_s);
    openPrompt();
}

// The prompt is answered, so what it says is no longer needed, and the
// tones of the samples come alone.
void GuidedAlignment::accept()
{
    m_form.silenceSpeech();
    m_pattern->RunMeasurementPattern();
}

void GuidedAlignment::complete()
{
    AlignmentState& state = m_form.State;
    m_form.Timer1->setEnabled(false);
    m_form.Text6->setText(QString());
    if (const GuidedOrientation* measured = orientationOfStep(state.GuidedStep))
        m_form.Shape6[measured->mainArm]->setBackStyle(Shape::Opaque);
    ++state.GuidedStep;
    m_pattern->closeWindow();
    if (state.GuidedStep > guidedOrientations().back().step)
        finish();
    else
        openPrompt();
}

void GuidedAlignment::abandon()
{
    m_form.silenceSpeech();
    ResetAlignment(m_form.State, m_form);
}

void GuidedAlignment::openPrompt()
{
    const GuidedOrientation* next = orientationOfStep(m_form.State.GuidedStep);
    auto* prompt = new Form4(&m_form, next);
    connect(prompt, &Form4::accepted, this, &GuidedAlignment::accept);
    connect(prompt, &Form4::stopped, this, &GuidedAlignment::abandon);
    prompt->show();
    m_form.speak(spokenPrompt(*next));
}

void GuidedAlignment::finish()
{
    m_form.showGuidedFinished();
    m_form.List1->addItem(u"Test finalizado."_s);
    controls::addLineAndSelect(m_form.List1, u"Revise los parametros de correcion."_s);
    m_form.speak(spokenResult(m_form.Text14->text(), m_form.Text5->text()));
}
