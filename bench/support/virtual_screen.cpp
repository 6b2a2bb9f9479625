#include "support/virtual_screen.h"

#include <QStandardPaths>

namespace bench {

namespace {

constexpr int StartTimeoutMs = 10'000;

} // namespace

VirtualScreen::VirtualScreen()
{
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1280x1024x24")});
    while (!m_server.canReadLine() && m_server.waitForReadyRead(StartTimeoutMs)) {
    }
    if (m_server.canReadLine())
        m_display = u':' + QString::fromLatin1(m_server.readLine().trimmed());
    else
        m_failure = QStringLiteral("Xvfb did not start: ")
            + QString::fromLocal8Bit(m_server.readAllStandardError()).simplified().right(200);
}

VirtualScreen::~VirtualScreen()
{
    m_server.terminate();
    m_server.waitForFinished(StartTimeoutMs);
}

bool VirtualScreen::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

} // namespace bench
