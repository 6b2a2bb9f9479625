#pragma once

class GuidedView;

// Gives the main window's guided controls their handling: "CALCULAR" and
// "VER LEYENDA".
void attachGuidedAlignment(GuidedView& view);
