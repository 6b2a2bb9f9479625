#include "dynamic/start_stop_speed.h"

#include "dynamic/dynamic_alignment.h"
#include "main_window/form1.h"
#include "main_window/receiver_check.h"

#include <QListWidget>
#include <QPushButton>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

// "INICIAR": checks the dynamic page's address and starts the dynamic loop.
void Command6_Click(Form1& form)
{
    form.BuildDynamicTarget();
    if (!receiverAddressGiven(&form, form.State.DynamicTargetIP))
        return;
    form.State.StopRequested = false;
    form.State.GuidedStep = 1;
    form.List2->addItem(u"Iniciando alineacion de antena"_s);
    form.showDynamicRunning();
    RunDynamicAlignment(form);
}

// "DETENER": asks the dynamic loop to stop; the buttons change at once.
void Command7_Click(Form1& form)
{
    form.State.StopRequested = true;
    form.showDynamicStopped();
}

// The speed slider sets the pause between two passes.
void Slider1_Change(Form1& form)
{
    form.State.LoopDelay = static_cast<qint16>(form.Slider1->value());
}

} // namespace

void attachDynamicAlignment(Form1& form)
{
    QObject::connect(form.Command6, &QPushButton::clicked, &form, [&form] { Command6_Click(form); });
    QObject::connect(form.Command7, &QPushButton::clicked, &form, [&form] { Command7_Click(form); });
    QObject::connect(form.Slider1, &QSlider::valueChanged, &form, [&form] { Slider1_Change(form); });
}
