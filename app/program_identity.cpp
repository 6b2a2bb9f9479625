#include "app/program_identity.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

void nameTheProgram()
{
    QGuiApplication::setApplicationName(u"Orienzo wireless"_s);
    QGuiApplication::setDesktopFileName(u"example.orienzo.Wireless"_s);
}
