#include "guided/measurement_pattern.h"

#include "core/guided_orientation.h"
#include "core/number_text.h"
#include "guided/measurement_window.h"
#include "main_window/controls.h"
#include "main_window/echo_sampler.h"
#include "main_window/guided_view.h"
#include "platform/pause_clock.h"

#include <QLineEdit>
#include <QProgressBar>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

constexpr int SamplesPerRun = 15;
constexpr int PauseMs = 500;

// The slot's grade goes in and the sum covers all 15 slots, so during a run it
// still holds the previous run's grades of the slots not yet measured.
void storeGrade(AlignmentState& state, const GuidedOrientation& orientation)
{
    GradeArray& grades = state.*orientation.grades;
    grades[state.SampleIndex] = state.LastGrade;
    state.*orientation.total = qint16(std::accumulate(grades.begin() + 1, grades.end(), 0));
}

} // namespace

MeasurementPattern::MeasurementPattern(GuidedView& view, QObject* owner)
    : QObject(owner), m_view(view), m_sampler(new EchoSampler(view, this))
{
}

void MeasurementPattern::RunMeasurementPattern()
{
    m_sampler->startRun();
    setTraceCharacters(m_view.state());
    m_view.state().SampleIndex = 1;
    doEventsThen([this] { start(); });
}

void MeasurementPattern::closeWindow()
{
    if (m_window)
        m_window->close();
}

void MeasurementPattern::start()
{
    m_view.state().ProbeCount = 0;
    window().ProgressBar1->setValue(1);
    m_view.logMeasuringStarted(orientation());
    takeSample();
}

void MeasurementPattern::takeSample()
{
    m_view.runCue();
    m_sampler->take(
        m_view.state().GuidedTargetIP, [this] { shownWindow(); },
        [this](const std::optional<Grade>& grade) { recordSample(grade); });
}

void MeasurementPattern::recordSample(const std::optional<Grade>& grade)
{
    AlignmentState& state = m_view.state();
    Form2& shown = shownWindow();
    if (shown.Text4->text().size() >= SamplesPerRun)
        clearLines(shown.chartLines());
    if (grade) {
        appendColumn(shown.chartLines(), *grade, state);
        state.LastGrade = grade->code;
        m_view.soundGrade(grade->code);
    }
    storeGrade(state, orientation());
    controls::addLineAndSelect(shown.List1, u"Ultimo valor para alineacion "_s + orientation().direction
                                                + NumberText(state.LastRoundTrip));
    m_view.showSums();
    ++state.SampleIndex;
    ++state.ProbeCount;
    shown.ProgressBar1->setValue(state.ProbeCount);
    if (state.ProbeCount >= SamplesPerRun)
        end();
    else
        doEventsThen([this] { platform::pauseThen(PauseMs, this, [this] { takeSample(); }); });
}

// Pending events run, the cue's tick among them, before the pattern goes on.
void MeasurementPattern::doEventsThen(std::function<void()> next)
{
    platform::yieldThen(this, [this, next = std::move(next)] {
        m_view.tickCueIfDue();
        next();
    });
}

void MeasurementPattern::end()
{
    window().enableCompletado();
    m_view.showOrientationMeasured();
}

const GuidedOrientation& MeasurementPattern::orientation() const
{
    const GuidedOrientation* measured = orientationOfStep(m_view.state().GuidedStep);
    Q_ASSERT(measured);
    return *measured;
}

// Made hidden when missing: at a run's start, or after it was closed.
Form2& MeasurementPattern::window()
{
    if (!m_window) {
        m_window = new Form2(m_view.mainWindow());
        connect(m_window, &Form2::completed, this, &MeasurementPattern::completed);
        connect(m_window, &Form2::closed, this, [this] { m_window.clear(); });
    }
    return *m_window;
}

// A sample's results always land in a visible window: one closed while the
// probe waited opens again (empty) here, and a sample that could send no
// probe shows its "no connection" column.
Form2& MeasurementPattern::shownWindow()
{
    window().show();
    return *m_window;
}
