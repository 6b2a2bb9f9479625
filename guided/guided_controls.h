#pragma once

class Form1;

// Gives the main window's guided controls their handling: "CALCULAR",
// "VER LEYENDA" and the cue timer's tick.
void attachGuidedAlignment(Form1& form);
