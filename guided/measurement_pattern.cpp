#include "guided/measurement_pattern.h"

#include "core/grading.h"
#include "core/number_text.h"
#include "core/probe_service.h"
#include "guided/measurement_window.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/form1.h"
#include "main_window/icmp_notice.h"
#include "platform/pause_clock.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <numeric>

namespace {

constexpr int SamplesPerRun = 15;
constexpr int PauseMs = 500;

struct Orientation {
    QString direction;
    GradeArray AlignmentState::*grades;
    qint16 AlignmentState::*total;
};

// The orientation of a guided step, 1 to 4.
const Orientation& orientationOf(const AlignmentState& state)
{
    static const Orientation orientations[] = {
        {QStringLiteral("+Vertical"), &AlignmentState::GradesPlusV, &AlignmentState::TotalPlusV},
        {QStringLiteral("-Horizontal"), &AlignmentState::GradesMinusH, &AlignmentState::TotalMinusH},
        {QStringLiteral("-Vertical"), &AlignmentState::GradesMinusV, &AlignmentState::TotalMinusV},
        {QStringLiteral("+Horizontal"), &AlignmentState::GradesPlusH, &AlignmentState::TotalPlusH},
    };
    Q_ASSERT(state.GuidedStep >= 1 && state.GuidedStep <= 4);
    return orientations[state.GuidedStep - 1];
}

// The slot's grade goes in and the sum covers all 15 slots, so during a run it
// still holds the previous run's grades of the slots not yet measured.
void storeGrade(AlignmentState& state)
{
    const Orientation& orientation = orientationOf(state);
    GradeArray& grades = state.*orientation.grades;
    grades[state.SampleIndex] = state.LastGrade;
    state.*orientation.total = qint16(std::accumulate(grades.begin() + 1, grades.end(), 0));
}

void showTotals(Form1& form)
{
    const AlignmentState& state = form.State;
    const qint16 totals[] = {state.TotalPlusV, state.TotalMinusH, state.TotalMinusV, state.TotalPlusH};
    for (int row = 0; row < 4; ++row)
        form.writeText10(row, NumberText(totals[row]));
    QProgressBar* bars[] = {form.ProgressBar4, form.ProgressBar5, form.ProgressBar6, form.ProgressBar7};
    for (int row = 0; row < 4; ++row)
        if (bars[row]->maximum() >= totals[row])
            controls::setBarValue(bars[row], totals[row]);
}

// The measurement window on screen. A sample's results always land in a
// visible window: one closed while the probe waited opens again (empty) here,
// and a sample that could send no probe shows its "no connection" column.
Form2& shownMeasurementWindow(Form1& form)
{
    Form2& window = MeasurementWindowOf(form);
    window.show();
    return window;
}

MeasurementPattern* patternOf(Form1& form)
{
    auto* pattern = form.findChild<MeasurementPattern*>(QString(), Qt::FindDirectChildrenOnly);
    return pattern ? pattern : new MeasurementPattern(form);
}

} // namespace

MeasurementPattern::MeasurementPattern(Form1& form) : QObject(&form), m_form(form)
{
}

void MeasurementPattern::run()
{
    m_status = 0;
    m_reply = {};
    setTraceCharacters(m_form.State);
    m_form.State.SampleIndex = 1;
    doEventsThen([this] { start(); });
}

void MeasurementPattern::start()
{
    m_form.State.ProbeCount = 0;
    MeasurementWindowOf(m_form).ProgressBar1->setValue(1);
    controls::addLineAndSelect(m_form.List1, QStringLiteral("Calculando valores para alineacion ")
                                                 + orientationOf(m_form.State).direction);
    takeSample();
}

void MeasurementPattern::takeSample()
{
    m_form.Timer1->setEnabled(true);
    if (!m_form.Probe.socketsStartup()) {
        sampleWithoutProbe();
        return;
    }
    const QString address = m_form.State.GuidedTargetIP;
    shownMeasurementWindow(m_form);
    m_form.Probe.echoProbe(address, m_reply, this, [this](qint32 status, const EchoReply& reply) {
        m_status = status;
        m_reply = reply;
        recordSample();
    });
}

// No probe could be sent: the sample counts as no connection, never as the
// good grade its untouched status would give, and the user learns why once.
void MeasurementPattern::sampleWithoutProbe()
{
    m_status = EchoStatus::GeneralFailure;
    recordSample();
    m_icmpNotice.tellOnce(&m_form, m_form.Probe.startupFailure());
}

void MeasurementPattern::recordSample()
{
    AlignmentState& state = m_form.State;
    Form2& window = shownMeasurementWindow(m_form);
    state.LastRoundTrip = m_reply.RoundTripTime;
    if (window.Text4->text().size() >= SamplesPerRun)
        clearLines(window.chartLines());
    if (const auto grade = GradeRoundTrip(m_status, state.LastRoundTrip)) {
        appendColumn(window.chartLines(), *grade, state);
        state.LastGrade = grade->code;
    }
    storeGrade(state);
    controls::addLineAndSelect(window.List1, QStringLiteral("Ultimo valor para alineacion ")
                                                 + orientationOf(state).direction + NumberText(state.LastRoundTrip));
    showTotals(m_form);
    ++state.SampleIndex;
    ++state.ProbeCount;
    window.ProgressBar1->setValue(state.ProbeCount);
    if (state.ProbeCount >= SamplesPerRun)
        end();
    else
        doEventsThen([this] { platform::pauseThen(PauseMs, this, [this] { takeSample(); }); });
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
    MeasurementWindowOf(m_form).Command1->setEnabled(true);
    m_form.Timer1->setEnabled(false);
    m_form.ProgressBar3->setValue(m_form.State.GuidedStep);
}

void BeginGuidedAlignment(Form1& form)
{
    delete form.findChild<MeasurementPattern*>(QString(), Qt::FindDirectChildrenOnly);
    new MeasurementPattern(form);
}

void RunMeasurementPattern(Form1& form)
{
    patternOf(form)->run();
}
