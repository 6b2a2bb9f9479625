#pragma once

class Form1;

// Gives the dynamic page's "INICIAR", "DETENER" and speed slider their handling.
void attachDynamicAlignment(Form1& form);
