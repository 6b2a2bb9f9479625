#pragma once

#include <QString>

namespace platform {

// Opens http://<the program's site><path> in the desktop's default browser;
// whether a browser opens is not looked at.
void openWebPage(const QString& path);

} // namespace platform
