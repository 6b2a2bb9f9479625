#include "main_window/cue_timer.h"

#include "core/guided_orientation.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

constexpr int IntervalMs = 50;

// The arm of the orientation being measured blinks; the cue text is written
// each time the arm is shown.
void blinkArm(const GuidedOrientation& measured, Shape* arm, QLineEdit* cueLine)
{
    if (arm->isOpaque()) {
        arm->setBackStyle(Shape::Transparent);
    } else {
        arm->setBackStyle(Shape::Opaque);
        cueLine->setText(measured.cueText());
    }
}

// The cue line swaps between dark text on the window colour and window-
// coloured text on black.
void flashCueLine(QLineEdit* cueLine)
{
    using namespace vbcolour;
    if (backColor(cueLine) == WindowBackground) {
        setBackColor(cueLine, Black);
        setForeColor(cueLine, WindowBackground);
    } else {
        setBackColor(cueLine, WindowBackground);
        setForeColor(cueLine, Black);
    }
}

} // namespace

CueTimer::CueTimer(QObject* window, const AlignmentState& state, const std::array<Shape*, 4>& arms, QLineEdit* cueLine)
    : QObject(window), m_state(state), m_arms(arms), m_cueLine(cueLine)
{
    setObjectName(u"Timer1"_s);
}

void CueTimer::setEnabled(bool enabled)
{
    if (enabled && !m_enabled)
        m_sinceLastTick.restart();
    m_enabled = enabled;
}

void CueTimer::handlePendingTick()
{
    if (!m_enabled || m_sinceLastTick.elapsedMs() < IntervalMs)
        return;
    m_sinceLastTick.restart();
    Timer1_Timer();
}

void CueTimer::Timer1_Timer()
{
    if (const GuidedOrientation* measured = orientationOfStep(m_state.GuidedStep))
        blinkArm(*measured, m_arms[measured->mainArm], m_cueLine);
    flashCueLine(m_cueLine);
}
