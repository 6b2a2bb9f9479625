#include "support/virtual_screen.h"

#include <QStandardPaths>

namespace bench {

namespace {

constexpr int StartTimeoutMs = 10'000;

} // namespace

VirtualScreen::VirtualScreen()
{
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1280x1024x24")});
    while (!server_.canReadLine() && server_.waitForReadyRead(StartTimeoutMs)) {
    }
    if (server_.canReadLine())
        display_ = u':' + QString::fromLatin1(server_.readLine().trimmed());
    else
        failure_ = QStringLiteral("Xvfb did not start: ")
            + QString::fromLocal8Bit(server_.readAllStandardError()).simplified().right(200);
}

VirtualScreen::~VirtualScreen()
{
    server_.terminate();
    server_.waitForFinished(StartTimeoutMs);
}

bool VirtualScreen::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

} // namespace bench
