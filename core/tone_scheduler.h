#pragma once

#include "core/tone.h"
#include "platform/sound_output.h"

#include <QObject>
#include <QString>
#include <optional>

// The tone player's worker: holds the sound output while the sound is on and
// places every tone on the output's clock a fixed time after it was asked
// for, so that the tones keep the beat of the passes that asked for them. A
// tone that would overlap the one before follows it instead; one that waits
// for its turn gives way to a newer one, so tones never fall behind the
// grades they tell.
class ToneScheduler : public QObject {
    Q_OBJECT
public:
    using Clock = platform::SoundOutput::Clock;

    ToneScheduler();

    // Switched on it opens the output; switched off it lets it go.
    void setSoundOn(bool on);
    // After a failure the output is opened again for the next tone.
    void play(const ToneSamples& samples, Clock::time_point asked);

signals:
    // Why the sound output cannot be used, in Spanish; empty once it can.
    void unavailable(const QString& reason);

private:
    struct Tone {
        ToneSamples samples;
        Clock::time_point asked;
    };

    void outputChanged();
    void place(const Tone& tone);

    platform::SoundOutput m_output;
    bool m_soundOn = false;
    std::optional<Tone> m_opening; // asked for while the output opens
    // The last tone placed, whether it waited for the one before, and where
    // that one ended.
    Clock::time_point m_lastStart;
    Clock::time_point m_lastEnd;
    bool m_lastWaited = false;
    Clock::time_point m_endBeforeLast;
};
