#include "dynamic/start_stop_speed.h"

#include "dynamic/dynamic_alignment.h"
#include "main_window/form1.h"
#include "main_window/receiver_check.h"

#include <QListWidget>
#include <QPushButton>
#include <QSlider>

// A keyboard user is left on the button that undoes the one just pressed.
void Command6_Click(Form1& form)
{
    form.BuildDynamicTarget();
    if (!receiverAddressGiven(&form, form.State.DynamicTargetIP))
        return;
    form.State.StopRequested = false;
    form.State.GuidedStep = 1;
    form.List2->addItem(QStringLiteral("Iniciando alineacion de antena"));
    const bool pressedWithKeyboard = form.Command6->hasFocus();
    form.Command1->setEnabled(false);
    form.Command6->setEnabled(false);
    form.Command7->setEnabled(true);
    if (pressedWithKeyboard)
        form.Command7->setFocus(Qt::TabFocusReason);
    RunDynamicAlignment(form);
}

void Command7_Click(Form1& form)
{
    form.State.StopRequested = true;
    const bool pressedWithKeyboard = form.Command7->hasFocus();
    form.Command6->setEnabled(true);
    form.Command7->setEnabled(false);
    form.Command1->setEnabled(true);
    if (pressedWithKeyboard)
        form.Command6->setFocus(Qt::TabFocusReason);
}

void Slider1_Change(Form1& form)
{
    form.State.LoopDelay = static_cast<qint16>(form.Slider1->value());
}
