#pragma once

class Form1;

// "INICIAR": checks the dynamic page's address and starts the dynamic loop.
void Command6_Click(Form1& form);
// "DETENER": asks the dynamic loop to stop; the buttons change at once.
void Command7_Click(Form1& form);
// The speed slider sets the pause between two passes.
void Slider1_Change(Form1& form);
