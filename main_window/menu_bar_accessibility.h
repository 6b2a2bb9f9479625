#pragma once

// Lets a screen reader reach what stands in the corners of the main window's
// menu bar: Qt shows a menu bar to it as its menus only, and the main
// window's bar holds none of its own, only "Sonido" and "Acerca de" in its
// corners. Installed once, after the application object exists and before
// the window is built, since a control's view is kept from its first use.
void makeMenuBarCornersAccessible();
