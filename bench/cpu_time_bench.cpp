// Figure 8: the processor time the real program costs in a minute on a
// virtual X server, as a laptop on battery pays it: idle after start-up,
// through a guided alignment against 127.0.0.1 and through a dynamic one at
// LoopDelay 500, also with "Sonido" on; and how often it wakes up when idle.
// The reference is `ping -i 0.5 127.0.0.1`, alone for a minute of its own, since its replies
// would reach the program's ICMP socket too when run alongside.
//
// ORIENZO_BENCH_MINUTE_S shortens the minute for a quick try.

#include "desktop/window_actions.h"
#include "figures/report.h"
#include "support/program_on_screen.h"
#include "support/stop_process.h"
#include "support/usage_meter.h"
#include "support/virtual_screen.h"
#include "support/window_layout.h"
#include "support/x_driver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <functional>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

// Past the text cursor's blinking, which stops 10 s after the last input.
constexpr int SettleMs = 12000;
constexpr int WindowTimeoutMs = 5000;
// A guided orientation takes 15 probes 500 ms apart: "COMPLETADO" is
// pressed from then on until it takes.
constexpr int OrientationMs = 14 * 500;
constexpr int PressEveryMs = 200;
constexpr int Orientations = 4;
// "DETENER" ends the echo helper within the probe out.
constexpr int HelperEndMs = 3000;
constexpr double DynamicGoalShare = 0.005;
constexpr double IdleGoalWakeupsPerSecond = 1;
const QString Loopback = u"127.0.0.1"_s;
const QString IdleFigure = u"8 processor time, idle"_s;
const QString GuidedFigure = u"8 processor time, guided on 127.0.0.1"_s;
const QString DynamicFigure = u"8 processor time, dynamic 500 ms on 127.0.0.1"_s;
const QString SoundFigure = u"8 processor time, dynamic 500 ms on 127.0.0.1, Sonido on"_s;
const QString IdleGoal = u"< 1 wakeup/s"_s;
const QString DynamicGoal = u"<= 0.5 % of one processor (300 ms a minute)"_s;
// Each orientation opens and closes two windows, some 14 a minute here, so
// the guided minute is reported beside the dynamic one, with no goal.
const QString GuidedGoal = u"none"_s;
const QString Main = u"Form1"_s;
const QString Prompt = u"Form4"_s;
const QString Measurement = u"Form2"_s;
const QString GuidedFirstBox = u"Text1(%1)"_s.arg(GuidedTargetBoxes.front());
const QString DynamicFirstBox = u"Text1(%1)"_s.arg(DynamicTargetBoxes.front());

int minuteMs()
{
    const int seconds = qEnvironmentVariableIntValue("ORIENZO_BENCH_MINUTE_S");
    return (seconds > 0 ? seconds : 60) * 1000;
}

double perSecond(qint64 countInMinute)
{
    return double(countInMinute) * 1000.0 / minuteMs();
}

struct Cost {
    double processorMs = 0;
    UsageMeter::Switches switches;
    QMap<QString, UsageMeter::Switches> switchesByThread;
    QString failure; // what went wrong driving the program, if anything

    double share() const { return processorMs / minuteMs(); }
    double wakeupsPerSecond() const { return perSecond(switches.total()); }
};

Cost failed(const QString& why)
{
    Cost cost;
    cost.failure = why;
    return cost;
}

void sleepUntil(QDeadlineTimer deadline)
{
    if (!deadline.hasExpired())
        QThread::msleep(deadline.remainingTime());
}

// Measures the process for a minute while `drive` works it; `drive` returns
// by the deadline, with what went wrong if anything did.
Cost measureMinute(qint64 pid, const std::function<QString(QDeadlineTimer)>& drive)
{
    const QDeadlineTimer end(minuteMs());
    UsageMeter meter(pid);
    Cost cost;
    cost.failure = drive(end);
    sleepUntil(end);
    meter.stop();
    cost.processorMs = meter.processorMs();
    cost.switches = meter.switches();
    cost.switchesByThread = meter.switchesByThreadName();
    return cost;
}

QString costText(const Cost& cost)
{
    return u"%1 ms in %2 s (%3 % of one processor)"_s.arg(cost.processorMs, 0, 'f', 0)
        .arg(minuteMs() / 1000)
        .arg(cost.share() * 100, 0, 'f', 2);
}

QString wakeupsText(const Cost& cost)
{
    return u"%1 wakeups/s"_s.arg(cost.wakeupsPerSecond(), 0, 'f', 1);
}

// Switches out of a thread that waited, and of one taken off the processor
// (for other programs too, on a busy machine), and which threads made them.
QString switchesText(const Cost& cost)
{
    QStringList threads;
    for (auto thread = cost.switchesByThread.cbegin(); thread != cost.switchesByThread.cend(); ++thread)
        if (thread.value().total() > 0)
            threads.append(u"%1 %2"_s.arg(thread.key()).arg(perSecond(thread.value().total()), 0, 'f', 1));
    return wakeupsText(cost)
           + u" (%1 waits, %2 taken off the processor); by thread: "_s
                 .arg(perSecond(cost.switches.voluntary), 0, 'f', 1)
                 .arg(perSecond(cost.switches.nonvoluntary), 0, 'f', 1)
           + threads.join(u", "_s);
}

Cost measurePing()
{
    QProcess ping;
    ping.setStandardOutputFile(QProcess::nullDevice());
    ping.start(u"ping"_s, {u"-i"_s, u"0.5"_s, Loopback});
    if (!ping.waitForStarted())
        return failed(u"ping did not start"_s);
    Cost cost = measureMinute(ping.processId(), [](QDeadlineTimer) { return QString(); });
    if (ping.state() != QProcess::Running)
        cost.failure = u"ping ended early: "_s + QString::fromLocal8Bit(ping.readAllStandardError()).trimmed();
    stopProcess(ping);
    return cost;
}

// Presses "ACEPTAR" in the prompt, then "COMPLETADO" once the measurement
// window takes it, which closes that window. Gives what went wrong.
QString driveOrientation(const ProgramOnScreen& program, QDeadlineTimer end, int& orientations)
{
    if (!program.waitForWindow(Prompt, std::min(end, QDeadlineTimer(WindowTimeoutMs))))
        return end.hasExpired() ? QString() : u"the prompt did not open"_s;
    program.click(Prompt, u"Command1"_s);
    if (!program.waitForWindow(Measurement, std::min(end, QDeadlineTimer(WindowTimeoutMs))))
        return end.hasExpired() ? QString() : u"\"ACEPTAR\" opened no measurement window"_s;
    sleepUntil(std::min(end, QDeadlineTimer(OrientationMs)));
    while (!end.hasExpired() && program.click(Measurement, u"Command1"_s))
        sleepUntil(std::min(end, QDeadlineTimer(PressEveryMs)));
    if (!program.openWindow(Measurement))
        ++orientations;
    return {};
}

// "CALCULAR", the four orientations, "BORRAR DATOS", which empties the
// address too, the address again, and so on.
QString driveGuided(const ProgramOnScreen& program, QDeadlineTimer end, int& orientations)
{
    while (!end.hasExpired()) {
        program.click(Main, u"Command1"_s);
        for (int step = 0; step < Orientations && !end.hasExpired(); ++step)
            if (const QString failure = driveOrientation(program, end, orientations); !failure.isEmpty())
                return failure;
        if (end.hasExpired())
            break;
        program.click(Main, u"Command2"_s);
        program.typeAddress(GuidedFirstBox, Loopback);
    }
    return {};
}

struct Measured {
    Cost idle;
    Cost guided;
    int orientations = 0;
    Cost dynamic;
    Cost dynamicWithSound;
};

// A fresh program for each minute, settled after start-up, its main window
// focused as a window manager would focus it.
Cost measureProgram(const QString& display, const WindowLayout& layout,
                    const std::function<QString(const ProgramOnScreen&, QDeadlineTimer)>& drive,
                    const std::function<QString(const ProgramOnScreen&)>& prepare = {})
{
    const ProgramOnScreen program(QString::fromUtf8(ORIENZO_PROGRAM), display, layout);
    if (!program.failure().isEmpty())
        return failed(program.failure());
    if (!program.focusMainWindow())
        return failed(u"the main window took no keyboard focus"_s);
    QThread::msleep(SettleMs);
    if (prepare)
        if (const QString failure = prepare(program); !failure.isEmpty())
            return failed(failure);
    return measureMinute(program.pid(), [&](QDeadlineTimer end) { return drive(program, end); });
}

// The echo helper's time is the program's once the program has reaped it.
bool helperEnded(qint64 pid)
{
    const QDeadlineTimer deadline(HelperEndMs);
    for (;;) {
        QProcess pgrep;
        pgrep.start(u"pgrep"_s, {u"-P"_s, QString::number(pid), u"-x"_s, u"orienzo-echo"_s});
        if (pgrep.waitForFinished() && pgrep.exitCode() == 1)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

// With the sound on, a tone a pass plays into the sound server the run
// finds, if any. Switching it on also opens the voice, once, which is left
// to settle as start-up is.
Cost measureDynamic(const QString& display, const WindowLayout& layout, bool sound)
{
    return measureProgram(
        display, layout,
        [](const ProgramOnScreen& program, QDeadlineTimer end) {
            program.click(Main, u"Command6"_s);
            sleepUntil(end);
            program.click(Main, u"Command7"_s);
            return helperEnded(program.pid()) ? QString() : u"an echo helper outlived \"DETENER\""_s;
        },
        [sound](const ProgramOnScreen& program) {
            if (!program.showDynamicPage())
                return u"Ctrl+Tab did not show the dynamic page"_s;
            program.typeAddress(DynamicFirstBox, Loopback);
            if (sound) {
                program.click(Main, u"SoundSwitch"_s);
                QThread::msleep(SettleMs);
            }
            return QString();
        });
}

Measured measureAll(const QString& display, const WindowLayout& layout)
{
    Measured measured;
    measured.idle = measureProgram(display, layout, [](const ProgramOnScreen&, QDeadlineTimer) { return QString(); });
    measured.guided = measureProgram(
        display, layout,
        [&](const ProgramOnScreen& program, QDeadlineTimer end) {
            return driveGuided(program, end, measured.orientations);
        },
        [](const ProgramOnScreen& program) {
            program.typeAddress(GuidedFirstBox, Loopback);
            return QString();
        });
    measured.dynamic = measureDynamic(display, layout, false);
    measured.dynamicWithSound = measureDynamic(display, layout, true);
    return measured;
}

void printAll(const Measured& measured, const Cost& ping)
{
    const QString reference =
        ping.failure.isEmpty() ? u"ping -i 0.5 %1, alone: "_s.arg(Loopback) + costText(ping) : ping.failure;
    printDetail(u"each minute %1 s; a fresh program for each, settled %2 s after start-up, its main "
                u"window holding the keyboard focus as a window manager gives it"_s.arg(minuteMs() / 1000)
                    .arg(SettleMs / 1000));
    printDetail(u"ping alone, in a minute of its own before the program's: "_s + switchesText(ping));
    printDetail(u"idle: "_s + switchesText(measured.idle));
    printDetail(u"guided: "_s + switchesText(measured.guided));
    printDetail(u"dynamic: "_s + switchesText(measured.dynamic));
    printDetail(u"dynamic, Sonido on: "_s + switchesText(measured.dynamicWithSound));

    const auto print = [&](const QString& figure, const Cost& cost, const QString& result, const QString& goal,
                           std::optional<bool> met) {
        if (cost.failure.isEmpty())
            printFigure(figure, result, reference, goal, met);
        else
            printFigure(figure, u"failed: "_s + cost.failure, reference, goal, std::nullopt);
    };
    print(IdleFigure, measured.idle, costText(measured.idle) + u", "_s + wakeupsText(measured.idle), IdleGoal,
          measured.idle.wakeupsPerSecond() < IdleGoalWakeupsPerSecond);
    print(GuidedFigure, measured.guided, costText(measured.guided) + u", %1 orientations"_s.arg(measured.orientations),
          GuidedGoal + u" (the dynamic run: %1 ms)"_s.arg(measured.dynamic.processorMs, 0, 'f', 0), std::nullopt);
    print(DynamicFigure, measured.dynamic, costText(measured.dynamic), DynamicGoal,
          measured.dynamic.share() <= DynamicGoalShare);
    print(SoundFigure, measured.dynamicWithSound, costText(measured.dynamicWithSound), DynamicGoal,
          measured.dynamicWithSound.share() <= DynamicGoalShare);
}

void skipAll(const QString& reason)
{
    printSkipped(IdleFigure, IdleGoal, reason);
    printSkipped(GuidedFigure, GuidedGoal, reason);
    printSkipped(DynamicFigure, DynamicGoal, reason);
    printSkipped(SoundFigure, DynamicGoal, reason);
}

} // namespace

int main(int argc, char* argv[])
{
    // The windows built to read the layout from are never shown on a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!VirtualScreen::available() || !XDriver::available()) {
        skipAll(!VirtualScreen::available() ? u"no Xvfb"_s : u"no xdotool"_s);
        return 0;
    }
    const VirtualScreen screen;
    if (!screen.failure().isEmpty()) {
        skipAll(screen.failure());
        return 0;
    }
    const WindowLayout layout;
    const Cost ping = measurePing();
    printAll(measureAll(screen.display(), layout), ping);
    return 0;
}
