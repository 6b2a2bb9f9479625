#include "guided/guided_cue.h"

#include "core/guided_orientation.h"
#include "main_window/form1.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>

namespace {

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

void Timer1_Timer(Form1& form)
{
    blinkArm(form);
    flashCueLine(form.Text6);
}
