#pragma once

// The names by which the desktop knows the program's windows and matches
// them to its launcher: the Wayland app_id is the desktop file's name, and
// the X11 window class (the launcher's StartupWMClass) the program's name.
void nameTheProgram();
