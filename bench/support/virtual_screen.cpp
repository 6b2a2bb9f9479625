#include "support/virtual_screen.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

constexpr int StartTimeoutMs = 10'000;

} // namespace

VirtualScreen::VirtualScreen()
{
    m_server.start(u"Xvfb"_s,
                   {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s});
    while (!m_server.canReadLine() && m_server.waitForReadyRead(StartTimeoutMs)) {
    }
    if (m_server.canReadLine())
        m_display = u':' + QString::fromLatin1(m_server.readLine().trimmed());
    else
        m_failure =
            u"Xvfb did not start: "_s + QString::fromLocal8Bit(m_server.readAllStandardError()).simplified().right(200);
}

VirtualScreen::~VirtualScreen()
{
    m_server.terminate();
    m_server.waitForFinished(StartTimeoutMs);
}

bool VirtualScreen::available()
{
    return !QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty();
}

} // namespace bench
