#include "guided/measurement_pattern.h"

#include "core/guided_orientation.h"
#include "core/number_text.h"
#include "guided/measurement_window.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/echo_sampler.h"
#include "main_window/form1.h"
#include "platform/pause_clock.h"

#include <QLineEdit>
#include <QListWidget>
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

MeasurementPattern::MeasurementPattern(Form1& form, QObject* owner)
    : QObject(owner), m_form(form), m_sampler(new EchoSampler(form, this))
{
}

void MeasurementPattern::RunMeasurementPattern()
{
    m_sampler->startRun();
    setTraceCharacters(m_form.State);
    m_form.State.SampleIndex = 1;
    doEventsThen([this] { start(); });
}

void MeasurementPattern::closeWindow()
{
    if (m_window)
        m_window->close();
}

void MeasurementPattern::start()
{
    m_form.State.ProbeCount = 0;
    window().ProgressBar1->setValue(1);
    controls::addLineAndSelect(m_form.List1, u"Calculando valores para alineacion "_s + orientation().direction);
    takeSample();
}

void MeasurementPattern::takeSample()
{
    m_form.Timer1->setEnabled(true);
    m_sampler->take(
        m_form.State.GuidedTargetIP, [this] { shownWindow(); },
        [this](const std::optional<Grade>& grade) { recordSample(grade); });
}

void MeasurementPattern::recordSample(const std::optional<Grade>& grade)
{
    AlignmentState& state = m_form.State;
    Form2& shown = shownWindow();
    if (shown.Text4->text().size() >= SamplesPerRun)
        clearLines(shown.chartLines());
    if (grade) {
        appendColumn(shown.chartLines(), *grade, state);
        state.LastGrade = grade->code;
        m_form.soundGrade(grade->code);
    }
    storeGrade(state, orientation());
    controls::addLineAndSelect(shown.List1, u"Ultimo valor para alineacion "_s + orientation().direction
                                                + NumberText(state.LastRoundTrip));
    showTotals();
    ++state.SampleIndex;
    ++state.ProbeCount;
    shown.ProgressBar1->setValue(state.ProbeCount);
    if (state.ProbeCount >= SamplesPerRun)
        end();
    else
        doEventsThen([this] { platform::pauseThen(PauseMs, this, [this] { takeSample(); }); });
}

// Every sample rewrites all four sums, whichever orientation it measures.
void MeasurementPattern::showTotals()
{
    for (const GuidedOrientation& row : guidedOrientations())
        m_form.writeText10(row.row, NumberText(m_form.State.*row.total));
    for (const GuidedOrientation& row : guidedOrientations()) {
        QProgressBar* bar = m_form.sumBar(row.row);
        const qint16 total = m_form.State.*row.total;
        if (bar->maximum() >= total)
            controls::setBarValue(bar, total);
    }
}

// Pending events run, the cue's tick among them, before the pattern goes on.
void MeasurementPattern::doEventsThen(std::function<void()> next)
{
    platform::yieldThen(this, [this, next = std::move(next)] {
        m_form.Timer1->handlePendingTick();
        next();
    });
}

void MeasurementPattern::end()
{
    window().enableCompletado();
    m_form.soundChime();
    m_form.Timer1->setEnabled(false);
    m_form.ProgressBar3->setValue(m_form.State.GuidedStep);
}

const GuidedOrientation& MeasurementPattern::orientation() const
{
    const GuidedOrientation* measured = orientationOfStep(m_form.State.GuidedStep);
    Q_ASSERT(measured);
    return *measured;
}

// Made hidden when missing: at a run's start, or after it was closed.
Form2& MeasurementPattern::window()
{
    if (!m_window) {
        m_window = new Form2(&m_form);
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
