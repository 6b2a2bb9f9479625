#pragma once

#include <QString>

namespace platform {

// A page that "AYUDA", the logos and "Acerca de" open: its path on the
// program's web site and its file among the help pages shipped with the
// program.
struct WebPage {
    QString sitePath;
    QString file;
};

// Opens the page in the desktop's default browser: http://<the program's
// site><path> when the program was built with a site, else the shipped copy,
// which needs no network. Whether a browser opens is not looked at.
void openWebPage(const WebPage& page);

} // namespace platform
