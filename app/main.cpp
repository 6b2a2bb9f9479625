#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orienzo wireless"));
    QApplication::setDesktopFileName(QStringLiteral("example.orienzo.Wireless"));

    ThreadedProbeService probe;
    OrienzoWindow window(probe);
    window.show();
    return app.exec();
}
