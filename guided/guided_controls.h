#pragma once

class Form1;

// Gives the main window's guided controls their handling: "CALCULAR" and
// "VER LEYENDA".
void attachGuidedAlignment(Form1& form);
