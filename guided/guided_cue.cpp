#include "guided/guided_cue.h"

#include "main_window/form1.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>

namespace {

struct Cue {
    int arm;
    QString text;
};

const Cue CueOfStep[] = {
    {0, QStringLiteral("Alineando en +Vertical")},
    {1, QStringLiteral("Alineando en -Horizontal")},
    {3, QStringLiteral("Alineando en -Vertical")},
    {2, QStringLiteral("Alineando en +Horizontal")},
};

// The arm of the orientation being measured blinks; the cue text is written
// each time the arm is shown.
void blinkArm(Form1& form)
{
    const qint16 step = form.State.GuidedStep;
    if (step < 1 || step > 4)
        return;
    const Cue& cue = CueOfStep[step - 1];
    Shape* arm = form.Shape6[cue.arm];
    if (arm->isOpaque()) {
        arm->setBackStyle(Shape::Transparent);
    } else {
        arm->setBackStyle(Shape::Opaque);
        form.Text6->setText(cue.text);
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
