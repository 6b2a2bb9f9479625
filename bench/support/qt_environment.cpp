#include "support/qt_environment.h"

using namespace Qt::StringLiterals;

namespace bench {

QProcessEnvironment qtEnvironment(const QString& platform, const QString& display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    if (!display.isEmpty())
        environment.insert(u"DISPLAY"_s, display);
    return environment;
}

} // namespace bench
