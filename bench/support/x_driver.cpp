#include "support/x_driver.h"

#include "support/stop_process.h"

#include <QProcess>
#include <QStandardPaths>

namespace bench {

namespace {

constexpr int CommandTimeoutMs = 5000;

// Reads the driver's "ID X Y WIDTH HEIGHT" lines.
QList<XDriver::Window> readWindows(const QByteArray& output)
{
    QList<XDriver::Window> windows;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 5)
            windows.append({fields[0].toULongLong(),
                            QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt())});
    }
    return windows;
}

} // namespace

XDriver::XDriver(const QString& display) : m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("DISPLAY"), display);
}

bool XDriver::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

std::optional<QByteArray> XDriver::run(const QStringList& arguments) const
{
    QProcess driver;
    driver.setProcessEnvironment(m_environment);
    driver.start(QStringLiteral(X_DRIVER), arguments);
    if (!driver.waitForFinished(CommandTimeoutMs)) {
        stopProcess(driver);
        return std::nullopt;
    }
    if (driver.exitStatus() != QProcess::NormalExit || driver.exitCode() != 0)
        return std::nullopt;
    return driver.readAllStandardOutput();
}

QList<XDriver::Window> XDriver::visibleWindowsOf(qint64 pid) const
{
    const auto output = run({QStringLiteral("windows"), QString::number(pid)});
    return output ? readWindows(*output) : QList<Window>();
}

bool XDriver::focus(quint64 window) const
{
    return run({QStringLiteral("focus"), QString::number(window)}).has_value();
}

void XDriver::typeAddress(const QString& address) const
{
    run({QStringLiteral("address"), address});
}

void XDriver::key(const QString& keys) const
{
    run({QStringLiteral("key"), keys});
}

void XDriver::click(quint64 window, QPoint at) const
{
    run({QStringLiteral("click"), QString::number(window), QString::number(at.x()), QString::number(at.y())});
}

} // namespace bench
