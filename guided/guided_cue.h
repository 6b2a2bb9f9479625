#pragma once

class Form1;

// A tick of the main window's cue timer while a guided pattern runs.
void Timer1_Timer(Form1& form);
