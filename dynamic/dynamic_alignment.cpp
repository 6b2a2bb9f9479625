#include "dynamic/dynamic_alignment.h"

#include "core/grading.h"
#include "core/number_text.h"
#include "core/probe_service.h"
#include "core/reset_alignment.h"
#include "main_window/chart_lines.h"
#include "main_window/controls.h"
#include "main_window/form1.h"
#include "main_window/icmp_notice.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"
#include "platform/pause_clock.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

// A run of a whole day keeps only its newest lines.
constexpr int MaxLogLines = 1000;

// A pass that starts at this index empties the chart first, so that it never
// holds more than 14 columns.
constexpr qint16 ChartRestartIndex = 15;

// A pass whose echo facility could not be opened counts as unanswered, as the
// probe itself reports it.
constexpr qint32 NoEchoSocket = -1;

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

DynamicAlignmentLoop::DynamicAlignmentLoop(Form1& form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("RunDynamicAlignment"));
}

void DynamicAlignmentLoop::start()
{
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
    if (!m_form.Probe.socketsStartup()) {
        passWithoutProbe();
        return;
    }
    const QString target = m_form.State.DynamicTargetIP;
    m_form.Probe.echoProbe(target, m_reply, this, [this](qint32 status, const EchoReply& reply) {
        m_status = status;
        m_reply = reply;
        showPass();
    });
}

// Never drawn from what an earlier probe left: the pass shows no connectivity,
// and the user learns once per run why no echo request can be sent.
void DynamicAlignmentLoop::passWithoutProbe()
{
    m_status = NoEchoSocket;
    m_icmpNotice.tellOnce(&m_form, m_form.Probe.startupFailure());
    showPass();
}

void DynamicAlignmentLoop::showPass()
{
    AlignmentState& state = m_form.State;
    state.LastRoundTrip = m_reply.RoundTripTime;
    if (state.SampleIndex >= ChartRestartIndex)
        clearLines({m_form.Text13, m_form.Text7, m_form.Text8, m_form.Text12, m_form.Text10[4]});
    if (const std::optional<Grade> grade = GradeRoundTrip(m_status, state.LastRoundTrip)) {
        appendColumn({m_form.Text12, m_form.Text8, m_form.Text7, m_form.Text13, m_form.Text10[4]}, *grade, state);
        m_form.Shape1->setBackStyle(Shape::Transparent);
        m_form.Shape1->setBackColor(indicatorColour(grade->code));
        m_form.soundGrade(grade->code);
    }
    m_form.Shape1->setBackStyle(Shape::Opaque);
    if (state.SampleIndex >= ChartRestartIndex)
        state.SampleIndex = 1;
    addLogLine(m_form.List2, QStringLiteral("Ultimo valor para alineacion") + NumberText(state.LastRoundTrip));
    ++state.SampleIndex;
    pauseThenNextPass();
}

// The pause is read only after pending events ran, so a slider moved during
// this pass already sets it.
void DynamicAlignmentLoop::pauseThenNextPass()
{
    platform::yieldThen(this, [this] {
        platform::pauseThen(m_form.State.LoopDelay, this, [this] { beginPass(); });
    });
}

void DynamicAlignmentLoop::finish()
{
    ResetAlignment(m_form.State, m_form);
    deleteLater();
}
