#include "dynamic/dynamic_alignment.h"

#include "core/number_text.h"
#include "core/reset_alignment.h"
#include "main_window/chart_lines.h"
#include "main_window/controls.h"
#include "main_window/echo_sampler.h"
#include "main_window/form1.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"
#include "platform/pause_clock.h"

#include <QLineEdit>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace {

// A run of a whole day keeps only its newest lines.
constexpr int MaxLogLines = 1000;

// A pass that starts at this index empties the chart first, so that it never
// holds more than 14 columns.
constexpr qint16 ChartRestartIndex = 15;

quint32 indicatorColour(quint8 gradeCode)
{
    constexpr quint32 Blue = 0x00C00000;
    constexpr quint32 DarkPurple = 0x00400040;
    switch (gradeCode) {
    case 1: return vbcolour::Green;
    case 2: return Blue;
    case 3: return DarkPurple;
    default: return vbcolour::Red;
    }
}

void addLogLine(QListWidget* list, const QString& line)
{
    controls::addLineAndSelect(list, line);
    while (list->count() > MaxLogLines)
        delete list->takeItem(0);
}

} // namespace

void RunDynamicAlignment(Form1& form)
{
    auto* loop = new DynamicAlignmentLoop(form);
    form.takeOverMeasurement(loop);
    loop->start();
}

DynamicAlignmentLoop::DynamicAlignmentLoop(Form1& form)
    : QObject(&form), m_form(form), m_sampler(new EchoSampler(form, this))
{
    setObjectName(u"RunDynamicAlignment"_s);
}

void DynamicAlignmentLoop::start()
{
    m_sampler->startRun();
    setTraceCharacters(m_form.State);
    m_form.State.SampleIndex = 1;
    platform::yieldThen(this, [this] { beginPass(); });
}

void DynamicAlignmentLoop::beginPass()
{
    if (m_form.State.StopRequested) {
        finish();
        return;
    }
    m_sampler->take(m_form.State.DynamicTargetIP, {}, [this](const std::optional<Grade>& grade) { showPass(grade); });
}

void DynamicAlignmentLoop::showPass(const std::optional<Grade>& grade)
{
    AlignmentState& state = m_form.State;
    if (state.SampleIndex >= ChartRestartIndex)
        clearLines({m_form.Text13, m_form.Text7, m_form.Text8, m_form.Text12, m_form.Text10[4]});
    if (grade) {
        appendColumn({m_form.Text12, m_form.Text8, m_form.Text7, m_form.Text13, m_form.Text10[4]}, *grade, state);
        m_form.Shape1->setBackStyle(Shape::Transparent);
        m_form.Shape1->setBackColor(indicatorColour(grade->code));
        m_form.soundGrade(grade->code);
    }
    m_form.Shape1->setBackStyle(Shape::Opaque);
    if (state.SampleIndex >= ChartRestartIndex)
        state.SampleIndex = 1;
    addLogLine(m_form.List2, u"Ultimo valor para alineacion"_s + NumberText(state.LastRoundTrip));
    ++state.SampleIndex;
    pauseThenNextPass();
}

// The pause is read only after pending events ran, so a slider moved during
// this pass already sets it.
void DynamicAlignmentLoop::pauseThenNextPass()
{
    platform::yieldThen(this, [this] { platform::pauseThen(m_form.State.LoopDelay, this, [this] { beginPass(); }); });
}

void DynamicAlignmentLoop::finish()
{
    ResetAlignment(m_form.State, m_form);
    deleteLater();
}
