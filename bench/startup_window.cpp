// The program's main(), as app/main.cpp has it, that prints how long after
// its process began its main window was first painted, and its resident
// memory then, and ends. With --bare it shows an empty main window instead,
// the toolkit's own share of both.

#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "support/resident_memory.h"
#include "timing/clock.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The launcher's moment of starting this process, or else the kernel's,
// which is kept only to the clock tick.
double launchedAtMs()
{
    bool given = false;
    const double launchedAt = qEnvironmentVariable("ORIENZO_BENCH_LAUNCHED_AT").toDouble(&given);
    if (given)
        return launchedAt;
    QFile stat(u"/proc/self/stat"_s);
    stat.open(QIODevice::ReadOnly);
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startedAfterBootMs = fields.value(19).toDouble() * 1000 / double(::sysconf(_SC_CLK_TCK));
    timespec sinceBoot{};
    ::clock_gettime(CLOCK_BOOTTIME, &sinceBoot);
    const double agoMs = double(sinceBoot.tv_sec) * 1000 + double(sinceBoot.tv_nsec) / 1e6 - startedAfterBootMs;
    return monotonicMs() - agoMs;
}

// Once the window's first paint is through, prints the figures and ends.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, double launchedAt) : m_launchedAt(launchedAt) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                std::printf("shown_ms %.3f resident_kib %lld\n", monotonicMs() - m_launchedAt,
                            static_cast<long long>(bench::residentKiB()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    double m_launchedAt;
};

} // namespace

int main(int argc, char* argv[])
{
    const double launchedAt = launchedAtMs();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Orienzo wireless"_s);
    QApplication::setDesktopFileName(u"example.orienzo.Wireless"_s);

    const bool bare = app.arguments().contains(u"--bare"_s);
    std::unique_ptr<ThreadedProbeService> probe;
    std::unique_ptr<ThreadedTonePlayer> tones;
    std::unique_ptr<ThreadedSpeaker> voice;
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->resize(640, 480);
    } else {
        probe = std::make_unique<ThreadedProbeService>();
        tones = std::make_unique<ThreadedTonePlayer>();
        voice = std::make_unique<ThreadedSpeaker>();
        window = std::make_unique<OrienzoWindow>(*probe, *tones, *voice);
    }
    FirstPaint watch(*window, launchedAt);
    window->show();
    return app.exec();
}
