// Figure 5: from process start to the main window shown, and the resident
// memory then. A copy of main() reports its first paint itself, without a
// display and on a virtual X server; on that server the real program's
// window is also watched being mapped. An empty main window is the reference.

#include "figures/report.h"
#include "figures/stats.h"
#include "support/qt_environment.h"
#include "support/resident_memory.h"
#include "support/stop_process.h"
#include "support/virtual_screen.h"
#include "timing/clock.h"
#ifdef HAVE_XCB
#include "window_map_watch.h"
#endif

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::StringLiterals;

using namespace bench;

namespace {

constexpr int LaunchCount = 10;
constexpr int LaunchTimeoutMs = 10'000;
constexpr double GoalMs = 300;
constexpr qint64 GoalBytes = 60'000'000;
const QString Goal = u"< 300 ms and < 60 MB"_s;
const QString Copy = QString::fromUtf8(STARTUP_WINDOW);

#ifdef HAVE_XCB
using MapWatch = WindowMapWatch;
#else
struct MapWatch {
    std::optional<double> waitForMap(int) { return std::nullopt; }
};
#endif

struct Launch {
    std::optional<double> mappedMs;  // seen from the X server
    std::optional<double> paintedMs; // told by the copy of main()
    qint64 residentKiB = -1;
};

struct Launches {
    QList<double> mapped;
    QList<double> painted;
    QList<double> residentKiB;
};

void readReport(QProcess& copy, Launch& launch)
{
    const QList<QByteArray> fields = copy.readAllStandardOutput().simplified().split(' ');
    if (fields.value(0) != "shown_ms")
        return;
    launch.paintedMs = fields.value(1).toDouble();
    launch.residentKiB = fields.value(3).toLongLong();
}

// The copy of main() ends by itself once painted; the real program is ended
// once its window is mapped.
Launch launch(const QString& program, const QStringList& arguments, QProcessEnvironment environment, MapWatch* watch)
{
    Launch launch;
    QProcess child;
    const double startedAt = monotonicMs();
    environment.insert(u"ORIENZO_BENCH_LAUNCHED_AT"_s, QString::number(startedAt, 'f', 3));
    child.setProcessEnvironment(environment);
    child.start(program, arguments);
    if (watch) {
        if (const auto mappedAt = watch->waitForMap(LaunchTimeoutMs)) {
            launch.mappedMs = *mappedAt - startedAt;
            launch.residentKiB = residentKiB(child.processId());
        }
    }
    if (program == Copy && child.waitForFinished(LaunchTimeoutMs))
        readReport(child, launch);
    stopProcess(child);
    return launch;
}

Launches launchRepeatedly(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                          MapWatch* watch = nullptr)
{
    Launches all;
    for (int i = 0; i < LaunchCount; ++i) {
        const Launch one = launch(program, arguments, environment, watch);
        if (one.mappedMs)
            all.mapped.append(*one.mappedMs);
        if (one.paintedMs)
            all.painted.append(*one.paintedMs);
        if (one.residentKiB > 0)
            all.residentKiB.append(double(one.residentKiB));
    }
    return all;
}

QString timesText(const char* what, const QList<double>& times)
{
    if (times.size() != LaunchCount)
        return u"%1 only %2 of %3 times"_s.arg(QLatin1StringView(what)).arg(times.size()).arg(LaunchCount);
    return u"%1 median %2 ms (max %3)"_s.arg(QLatin1StringView(what))
        .arg(median(times), 0, 'f', 1)
        .arg(summarize(times).max, 0, 'f', 1);
}

QString memoryText(const Launches& launches)
{
    return launches.residentKiB.isEmpty() ? u"no memory read"_s
                                          : mebibytes(qint64(summarize(launches.residentKiB).max)) + u" resident"_s;
}

bool meetsGoal(const QList<double>& times, const Launches& launches)
{
    return times.size() == LaunchCount && median(times) < GoalMs && !launches.residentKiB.isEmpty()
           && summarize(launches.residentKiB).max * 1024 < double(GoalBytes);
}

void measureOffscreen()
{
    const QProcessEnvironment offscreen = qtEnvironment(u"offscreen"_s);
    const Launches form = launchRepeatedly(Copy, {}, offscreen);
    const Launches bare = launchRepeatedly(Copy, {u"--bare"_s}, offscreen);
    printFigure(u"5 start-up, offscreen"_s, timesText("painted", form.painted) + u", "_s + memoryText(form),
                u"empty main window: "_s + timesText("painted", bare.painted) + u", "_s + memoryText(bare), Goal,
                meetsGoal(form.painted, form));
}

#ifdef HAVE_XCB
void measureOnX()
{
    const QString xFigure = u"5 start-up, X11 (Xvfb)"_s;
    const QString realFigure = u"5 start-up, real program on X11"_s;
    if (!VirtualScreen::available()) {
        printSkipped(xFigure, Goal, u"no Xvfb"_s);
        printSkipped(realFigure, Goal, u"no Xvfb"_s);
        return;
    }
    VirtualScreen screen;
    WindowMapWatch watch(screen.display());
    if (!screen.failure().isEmpty() || !watch.isConnected()) {
        const QString reason = screen.failure().isEmpty() ? u"cannot watch Xvfb"_s : screen.failure();
        printSkipped(xFigure, Goal, reason);
        printSkipped(realFigure, Goal, reason);
        return;
    }
    const QProcessEnvironment x = qtEnvironment(u"xcb"_s, screen.display());
    const Launches form = launchRepeatedly(Copy, {}, x, &watch);
    const Launches bare = launchRepeatedly(Copy, {u"--bare"_s}, x, &watch);
    const Launches real = launchRepeatedly(QString::fromUtf8(ORIENZO_PROGRAM), {}, x, &watch);
    printFigure(xFigure,
                timesText("mapped", form.mapped) + u", "_s + timesText("painted", form.painted) + u", "_s
                    + memoryText(form),
                u"empty main window: "_s + timesText("painted", bare.painted) + u", "_s + memoryText(bare), Goal,
                meetsGoal(form.painted, form));
    printFigure(realFigure, timesText("mapped", real.mapped) + u", "_s + memoryText(real),
                u"copy of main(): "_s + timesText("mapped", form.mapped), Goal, meetsGoal(real.mapped, real));
}
#else
void measureOnX()
{
    printSkipped(u"5 start-up, X11"_s, Goal, u"built without libxcb"_s);
}
#endif

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    measureOffscreen();
    measureOnX();
    return 0;
}
