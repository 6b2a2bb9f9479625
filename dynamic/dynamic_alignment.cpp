#include "dynamic/dynamic_alignment.h"

#include "main_window/dynamic_view.h"
#include "main_window/echo_sampler.h"
#include "platform/pause_clock.h"

using namespace Qt::StringLiterals;

namespace {

// A pass that starts at this index empties the chart first, so that it never
// holds more than 14 columns.
constexpr qint16 ChartRestartIndex = 15;

} // namespace

void RunDynamicAlignment(DynamicView& view)
{
    auto* loop = new DynamicAlignmentLoop(view);
    view.runMeasurement(loop);
    loop->start();
}

DynamicAlignmentLoop::DynamicAlignmentLoop(DynamicView& view) : m_view(view), m_sampler(new EchoSampler(view, this))
{
    setObjectName(u"RunDynamicAlignment"_s);
}

void DynamicAlignmentLoop::start()
{
    m_sampler->startRun();
    setTraceCharacters(m_view.state());
    m_view.state().SampleIndex = 1;
    platform::yieldThen(this, [this] { beginPass(); });
}

void DynamicAlignmentLoop::beginPass()
{
    if (m_view.state().StopRequested) {
        finish();
        return;
    }
    m_sampler->take(m_view.state().DynamicTargetIP, {}, [this](const std::optional<Grade>& grade) { showPass(grade); });
}

void DynamicAlignmentLoop::showPass(const std::optional<Grade>& grade)
{
    AlignmentState& state = m_view.state();
    if (state.SampleIndex >= ChartRestartIndex)
        m_view.clearChart();
    if (grade) {
        m_view.drawColumn(*grade);
        m_view.soundGrade(grade->code);
    }
    m_view.showIndicator();
    if (state.SampleIndex >= ChartRestartIndex)
        state.SampleIndex = 1;
    m_view.logPass(state.LastRoundTrip);
    ++state.SampleIndex;
    pauseThenNextPass();
}

// The pause is read only after pending events ran, so a slider moved during
// this pass already sets it.
void DynamicAlignmentLoop::pauseThenNextPass()
{
    platform::yieldThen(this, [this] { platform::pauseThen(m_view.state().LoopDelay, this, [this] { beginPass(); }); });
}

void DynamicAlignmentLoop::finish()
{
    m_view.resetAlignment();
    m_view.endMeasurement();
}
