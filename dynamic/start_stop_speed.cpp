#include "dynamic/start_stop_speed.h"

#include "dynamic/dynamic_alignment.h"
#include "main_window/dynamic_view.h"
#include "main_window/receiver_check.h"

namespace {

// "INICIAR": checks the dynamic page's address and starts the dynamic loop.
void Command6_Click(DynamicView& view)
{
    view.BuildDynamicTarget();
    AlignmentState& state = view.state();
    if (!receiverAddressGiven(view.mainWindow(), state.DynamicTargetIP))
        return;
    state.StopRequested = false;
    state.GuidedStep = 1;
    view.showRunStarted();
    RunDynamicAlignment(view);
}

// "DETENER": asks the dynamic loop to stop; the buttons change at once.
void Command7_Click(DynamicView& view)
{
    view.state().StopRequested = true;
    view.showRunStopped();
}

// The speed slider sets the pause between two passes.
void Slider1_Change(DynamicView& view, int position)
{
    view.state().LoopDelay = static_cast<qint16>(position);
}

} // namespace

void attachDynamicAlignment(DynamicView& view)
{
    view.attachDynamicCommands([&view] { Command6_Click(view); }, [&view] { Command7_Click(view); },
                               [&view](int position) { Slider1_Change(view, position); });
}
