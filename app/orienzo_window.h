#pragma once

#include "main_window/form1.h"

// The main window with the guided and the dynamic alignment attached to the
// controls that start and show them: the program's window, as main() shows
// it and as the tests and benchmarks drive it.
class OrienzoWindow : public Form1 {
    Q_OBJECT
public:
    OrienzoWindow(ProbeService& probe, TonePlayer& tones, Speaker& voice);
};
