#include "support/xdotool.h"

#include "support/stop_process.h"

#include <QProcess>
#include <QStandardPaths>

namespace bench {

namespace {

constexpr int CommandTimeoutMs = 5000;
// As a quick typist; xdotool's own default is 12 ms.
constexpr int KeyDelayMs = 60;

const QString Program = QStringLiteral("xdotool");

// Reads "getwindowgeometry --shell": WINDOW=, X=, Y=, WIDTH=, HEIGHT=, SCREEN=
// for each window in turn.
QList<Xdotool::Window> readGeometries(const QByteArray& output)
{
    QList<Xdotool::Window> windows;
    for (const QByteArray& line : output.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray name = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (name == "WINDOW")
            windows.append(Xdotool::Window{value.toULongLong(), {}});
        else if (windows.isEmpty())
            continue;
        else if (name == "X")
            windows.back().geometry.moveLeft(value.toInt());
        else if (name == "Y")
            windows.back().geometry.moveTop(value.toInt());
        else if (name == "WIDTH")
            windows.back().geometry.setWidth(value.toInt());
        else if (name == "HEIGHT")
            windows.back().geometry.setHeight(value.toInt());
    }
    return windows;
}

} // namespace

Xdotool::Xdotool(const QString& display) : environment_(QProcessEnvironment::systemEnvironment())
{
    environment_.insert(QStringLiteral("DISPLAY"), display);
}

bool Xdotool::available()
{
    return !QStandardPaths::findExecutable(Program).isEmpty();
}

std::optional<QByteArray> Xdotool::run(const QStringList& arguments) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(environment_);
    xdotool.start(Program, arguments);
    if (!xdotool.waitForFinished(CommandTimeoutMs)) {
        stopProcess(xdotool);
        return std::nullopt;
    }
    if (xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0)
        return std::nullopt;
    return xdotool.readAllStandardOutput();
}

// Every window has a class, while a title may be empty; the empty pattern
// matches any class.
QList<Xdotool::Window> Xdotool::visibleWindowsOf(qint64 pid) const
{
    const auto output = run({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--class"), QString(),
                             QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QStringLiteral("%@")});
    return output ? readGeometries(*output) : QList<Window>();
}

bool Xdotool::focus(quint64 window) const
{
    return run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)}).has_value();
}

void Xdotool::type(const QString& text) const
{
    run({QStringLiteral("type"), QStringLiteral("--delay"), QString::number(KeyDelayMs), text});
}

void Xdotool::key(const QString& keys) const
{
    run({QStringLiteral("key"), QStringLiteral("--delay"), QString::number(KeyDelayMs), keys});
}

void Xdotool::click(quint64 window, QPoint at) const
{
    run({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window), QString::number(at.x()),
         QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace bench
