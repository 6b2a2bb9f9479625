#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace bench {

// This process's environment for a Qt program started on that platform
// ("offscreen", "xcb"), on that X display when one is given.
QProcessEnvironment qtEnvironment(const QString& platform, const QString& display = {});

} // namespace bench
