#include "app/orienzo_window.h"
#include "app/program_identity.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "platform/window_system.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::QtArguments arguments(argc, argv);
    QApplication app(arguments.count(), arguments.values());
    nameTheProgram();

    ThreadedProbeService probe;
    ThreadedTonePlayer tones;
    ThreadedSpeaker voice;
    OrienzoWindow window(probe, tones, voice);
    window.show();
    return app.exec();
}
