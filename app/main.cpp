#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Orienzo wireless"_s);
    QApplication::setDesktopFileName(u"example.orienzo.Wireless"_s);

    ThreadedProbeService probe;
    ThreadedTonePlayer tones;
    ThreadedSpeaker voice;
    OrienzoWindow window(probe, tones, voice);
    window.show();
    return app.exec();
}
