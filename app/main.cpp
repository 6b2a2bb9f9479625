#include "core/threaded_probe_service.h"
#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orienzo wireless"));
    QApplication::setDesktopFileName(QStringLiteral("example.orienzo.Wireless"));

    ThreadedProbeService probe;
    Form1 window(probe);
    window.show();
    return app.exec();
}
