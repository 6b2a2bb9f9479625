#include "guided/guided_start.h"

#include "dynamic/dynamic_alignment.h"
#include "guided/measurement_pattern.h"
#include "guided/prompt_window.h"
#include "main_window/form1.h"
#include "main_window/receiver_check.h"

#include <QListWidget>
#include <QPushButton>

void Command1_Click(Form1& form)
{
    form.BuildGuidedTarget();
    if (!receiverAddressGiven(&form, form.State.GuidedTargetIP))
        return;
    EndStoppingDynamicAlignment(form);
    form.Command1->setEnabled(false);
    form.Command6->setEnabled(false);
    form.State.GuidedStep = 1;
    form.State.ProbeCount = 0;
    form.State.StopRequested = false;
    form.List1->addItem(QStringLiteral("Iniciando alineacion de antena"));
    BeginGuidedAlignment(form);
    OpenPromptWindow(form);
}
