#pragma once

class Form1;

// "CALCULAR": starts a guided alignment at its first orientation.
void Command1_Click(Form1& form);
