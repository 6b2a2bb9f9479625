#pragma once

#include <vector>

namespace platform {

// The arguments Qt starts with: the program's own, and "-platform xcb" in a
// Wayland session that offers X11 too (XWayland), where this Qt's Wayland
// support would take the keyboard away from the window the user works in.
// A window system the user chose with QT_QPA_PLATFORM is left alone.
class QtArguments {
public:
    QtArguments(int argc, char* argv[]);

    // Qt takes its own arguments out as it reads them.
    int& count() { return m_count; }
    char** values() { return m_values.data(); }

private:
    std::vector<char*> m_values;
    int m_count;
};

} // namespace platform
