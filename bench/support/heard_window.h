#pragma once

#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "sound/monitor_recorder.h"

#include <QString>
#include <memory>

namespace bench {

// The program's window with real probes, tones and voice, while the sound
// server's null sink is recorded from before the window opens.
class HeardWindow {
public:
    // True once the recording runs and the window is shown; else the
    // figure is reported as skipped, with the reason.
    bool open(const QString& figure, const QString& goal);
    OrienzoWindow& form() { return *m_form; }
    MonitorRecorder& recorder() { return m_recorder; }

private:
    ThreadedProbeService m_probe;
    MonitorRecorder m_recorder;
    ThreadedTonePlayer m_tones;
    ThreadedSpeaker m_voice;
    std::unique_ptr<OrienzoWindow> m_form;
};

} // namespace bench
