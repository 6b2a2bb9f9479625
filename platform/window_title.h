#pragma once

class QWidget;

namespace platform {

// Leaves the window's title bar without text. Qt writes the program's name
// there whenever a window's title is empty, so on X11 the window's name
// properties are emptied again each time its native window is made, and
// elsewhere (Wayland) the title is a blank.
void showNoTitleText(QWidget* window);

} // namespace platform
