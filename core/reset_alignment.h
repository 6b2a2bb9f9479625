#pragma once

class Form1;

// Clears the alignment state and the main window's results, and asks a
// running dynamic alignment to stop. Runs straight through, yielding nothing.
void ResetAlignment(Form1& form);
