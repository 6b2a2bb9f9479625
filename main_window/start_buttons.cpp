#include "main_window/form1.h"

#include <QPushButton>

// A keyboard user stays on the button that undoes the one just pressed:
// "INICIAR" hands the keys to "DETENER", and "DETENER" back.
void Form1::showButtonsFor(Activity activity)
{
    const bool iniciarPressedWithKeys = Command6->hasFocus();
    const bool detenerPressedWithKeys = Command7->hasFocus();
    Command1->setEnabled(activity == Activity::Idle);
    Command2->setEnabled(activity == Activity::GuidedFinished);
    Command6->setEnabled(activity == Activity::Idle);
    Command7->setEnabled(activity == Activity::DynamicRun);
    if (iniciarPressedWithKeys && activity == Activity::DynamicRun)
        Command7->setFocus(Qt::TabFocusReason);
    else if (detenerPressedWithKeys && activity == Activity::Idle)
        Command6->setFocus(Qt::TabFocusReason);
}
