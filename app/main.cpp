#include "app/orienzo_window.h"
#include "app/program_identity.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "platform/window_system.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

// What the voice is given to go once the window has closed, within the
// program's 300 ms from "SALIR" to its end.
constexpr auto VoiceEndsWithin = 100ms;

// Shows the window until it closes; the probe and the tones end with it.
int runWindow(QApplication& app, Speaker& voice)
{
    ThreadedProbeService probe;
    ThreadedTonePlayer tones;
    OrienzoWindow window(probe, tones, voice);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    platform::QtArguments arguments(argc, argv);
    QApplication app(arguments.count(), arguments.values());
    nameTheProgram();

    ThreadedSpeaker voice;
    const int status = runWindow(app, voice);
    // Qt's speech engine may take seconds to open the voice, and cannot be
    // cut short. It holds nothing the program's end needs: the program writes
    // nothing, and the speech service forgets a client whose connection
    // closes, as the system closes it with the process. So the program ends
    // without it, and without running the libraries' exit handlers, which
    // would take apart what its thread is still using.
    if (!voice.end(QDeadlineTimer(VoiceEndsWithin)))
        std::quick_exit(status);
    return status;
}
