#include "main_window/cue_timer.h"

#include "core/guided_orientation.h"
#include "main_window/form1.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

constexpr int IntervalMs = 50;

// The arm of the orientation being measured blinks; the cue text is written
// each time the arm is shown.
void blinkArm(Form1& form)
{
    const GuidedOrientation* measured = orientationOfStep(form.State.GuidedStep);
    if (!measured)
        return;
    Shape* arm = form.Shape6[measured->mainArm];
    if (arm->isOpaque()) {
        arm->setBackStyle(Shape::Transparent);
    } else {
        arm->setBackStyle(Shape::Opaque);
        form.Text6->setText(measured->cueText());
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

CueTimer::CueTimer(Form1& form) : QObject(&form), m_form(form)
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
    blinkArm(m_form);
    flashCueLine(m_form.Text6);
}
