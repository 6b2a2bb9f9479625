#include "support/x_driver.h"

#include "support/stop_process.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

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
    m_environment.insert(u"DISPLAY"_s, display);
}

bool XDriver::available()
{
    return !QStandardPaths::findExecutable(u"xdotool"_s).isEmpty();
}

std::optional<QByteArray> XDriver::run(const QStringList& arguments) const
{
    QProcess driver;
    driver.setProcessEnvironment(m_environment);
    driver.start(QString::fromUtf8(X_DRIVER), arguments);
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
    const auto output = run({u"windows"_s, QString::number(pid)});
    return output ? readWindows(*output) : QList<Window>();
}

bool XDriver::focus(quint64 window) const
{
    return run({u"focus"_s, QString::number(window)}).has_value();
}

void XDriver::typeAddress(const QString& address) const
{
    run({u"address"_s, address});
}

void XDriver::key(const QString& keys) const
{
    run({u"key"_s, keys});
}

void XDriver::click(quint64 window, QPoint at) const
{
    run({u"click"_s, QString::number(window), QString::number(at.x()), QString::number(at.y())});
}

} // namespace bench
