#include "platform/window_system.h"

#include <QLibraryInfo>
#include <QVersionNumber>
#include <QtGlobal>

namespace platform {

namespace {

char PlatformOption[] = "-platform";
char X11[] = "xcb";

// Before 6.5, Qt asks the compositor to activate a window each time the focus
// moves inside it. When a tool window closes, the main window asks so too,
// and a compositor that obeys gives it the keyboard after the next tool
// window has come up: Return then presses a button of the main window.
bool waylandKeepsTheKeyboard()
{
    return QLibraryInfo::version() >= QVersionNumber(6, 5);
}

bool waylandSessionWithX11()
{
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    return wayland && !qEnvironmentVariableIsEmpty("DISPLAY");
}

} // namespace

QtArguments::QtArguments(int argc, char* argv[]) : m_values(argv, argv + argc)
{
    const bool usersChoice = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!usersChoice && !waylandKeepsTheKeyboard() && waylandSessionWithX11())
        m_values.insert(m_values.end(), {PlatformOption, X11});
    m_count = int(m_values.size());
    // Like argv, the list ends with a null.
    m_values.push_back(nullptr);
}

} // namespace platform
