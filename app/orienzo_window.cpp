#include "app/orienzo_window.h"

#include "app/cursor_blink_timeout.h"
#include "dynamic/start_stop_speed.h"
#include "guided/guided_controls.h"

OrienzoWindow::OrienzoWindow(ProbeService& probe, TonePlayer& tones, Speaker& voice) : Form1(probe, tones, voice)
{
    attachGuidedAlignment(*this);
    attachDynamicAlignment(*this);
    new CursorBlinkTimeout(this);
}
