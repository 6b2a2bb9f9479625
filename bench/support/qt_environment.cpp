#include "support/qt_environment.h"

namespace bench {

QProcessEnvironment qtEnvironment(const QString& platform, const QString& display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    return environment;
}

} // namespace bench
