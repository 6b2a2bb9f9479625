#include "support/program_on_screen.h"

#include "support/qt_environment.h"
#include "support/stop_process.h"

#include <QThread>
#include <functional>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

constexpr int StartTimeoutMs = 10'000;
constexpr int PageChangeTimeoutMs = 3000;
// Seldom enough that looking for windows costs the X server little.
constexpr int LookEveryMs = 100;

const QString MainWindow = u"Form1"_s;

bool waitFor(const std::function<bool()>& done, QDeadlineTimer deadline)
{
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(LookEveryMs, deadline.remainingTime()));
    }
    return true;
}

} // namespace

ProgramOnScreen::ProgramOnScreen(const QString& program, const QString& display, const WindowLayout& layout)
    : m_layout(layout), m_driver(display)
{
    m_process.setProcessEnvironment(qtEnvironment(u"xcb"_s, display));
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(program);
    QList<XDriver::Window> windows;
    const bool mapped = m_process.waitForStarted(StartTimeoutMs)
                        && waitFor(
                            [&] {
                                windows = m_driver.visibleWindowsOf(pid());
                                return !windows.isEmpty();
                            },
                            QDeadlineTimer(StartTimeoutMs));
    if (mapped)
        m_mainWindow = windows.front().id;
    else
        m_failure = u"the program showed no window within %1 s on %2"_s.arg(StartTimeoutMs / 1000).arg(display);
}

ProgramOnScreen::~ProgramOnScreen()
{
    stopProcess(m_process);
}

bool ProgramOnScreen::focusMainWindow() const
{
    return m_driver.focus(m_mainWindow);
}

void ProgramOnScreen::typeAddress(const QString& firstBox, const QString& address) const
{
    click(MainWindow, firstBox);
    m_driver.typeAddress(address);
}

bool ProgramOnScreen::showDynamicPage() const
{
    const auto before = openWindow(MainWindow);
    m_driver.key(u"ctrl+Tab"_s);
    return before
           && waitFor(
               [&] {
                   const auto now = openWindow(MainWindow);
                   return now && now->geometry.height() != before->geometry.height();
               },
               QDeadlineTimer(PageChangeTimeoutMs));
}

std::optional<XDriver::Window> ProgramOnScreen::openWindow(const QString& name) const
{
    for (const XDriver::Window& window : m_driver.visibleWindowsOf(pid()))
        if (name == MainWindow ? window.id == m_mainWindow
                               : window.id != m_mainWindow && window.geometry.size() == m_layout.sizeOf(name))
            return window;
    return std::nullopt;
}

bool ProgramOnScreen::waitForWindow(const QString& name, QDeadlineTimer deadline) const
{
    return waitFor([&] { return openWindow(name).has_value(); }, deadline);
}

bool ProgramOnScreen::click(const QString& window, const QString& control) const
{
    const auto open = openWindow(window);
    if (open)
        m_driver.click(open->id, m_layout.centreOf(window, control));
    return open.has_value();
}

} // namespace bench
