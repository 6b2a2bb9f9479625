#include "support/program_on_screen.h"

#include "support/qt_environment.h"
#include "support/stop_process.h"

#include <QThread>
#include <functional>

namespace bench {

namespace {

constexpr int StartTimeoutMs = 10'000;
constexpr int PageChangeTimeoutMs = 3000;
// Seldom enough that looking for windows costs the X server little.
constexpr int LookEveryMs = 100;

const QString MainWindow = QStringLiteral("Form1");

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
    : layout_(layout), xdotool_(display)
{
    process_.setProcessEnvironment(qtEnvironment(QStringLiteral("xcb"), display));
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(program);
    QList<Xdotool::Window> windows;
    const bool mapped = process_.waitForStarted(StartTimeoutMs) && waitFor([&] {
        windows = xdotool_.visibleWindowsOf(pid());
        return !windows.isEmpty();
    }, QDeadlineTimer(StartTimeoutMs));
    if (mapped)
        mainWindow_ = windows.front().id;
    else
        failure_ = QStringLiteral("the program showed no window within %1 s on %2").arg(StartTimeoutMs / 1000).arg(display);
}

ProgramOnScreen::~ProgramOnScreen()
{
    stopProcess(process_);
}

bool ProgramOnScreen::focusMainWindow() const
{
    return xdotool_.focus(mainWindow_);
}

void ProgramOnScreen::typeAddress(const QString& firstBox, const QString& address) const
{
    click(MainWindow, firstBox);
    const QStringList octets = address.split(u'.');
    for (qsizetype i = 0; i < octets.size(); ++i) {
        if (i > 0)
            xdotool_.key(QStringLiteral("Tab"));
        xdotool_.key(QStringLiteral("ctrl+a"));
        xdotool_.type(octets[i]);
    }
}

bool ProgramOnScreen::showDynamicPage() const
{
    const auto before = openWindow(MainWindow);
    xdotool_.key(QStringLiteral("ctrl+Tab"));
    return before && waitFor([&] {
        const auto now = openWindow(MainWindow);
        return now && now->geometry.height() != before->geometry.height();
    }, QDeadlineTimer(PageChangeTimeoutMs));
}

std::optional<Xdotool::Window> ProgramOnScreen::openWindow(const QString& name) const
{
    for (const Xdotool::Window& window : xdotool_.visibleWindowsOf(pid()))
        if (name == MainWindow ? window.id == mainWindow_
                               : window.id != mainWindow_ && window.geometry.size() == layout_.sizeOf(name))
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
        xdotool_.click(open->id, layout_.centreOf(window, control));
    return open.has_value();
}

} // namespace bench
