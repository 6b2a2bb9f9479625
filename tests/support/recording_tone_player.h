#pragma once

#include "core/tone_player.h"

#include <QList>

// Stands in for the sound output in window tests: keeps every tone played
// while the sound is on, and can tell that there is no sound output.
class RecordingTonePlayer : public TonePlayer {
    Q_OBJECT
public:
    using TonePlayer::TonePlayer;

    QList<ToneSamples> played;
    bool soundOn = false;

    void setUnavailable(const QString& reason)
    {
        m_reason = reason;
        emit availabilityChanged();
    }

    void setSoundOn(bool on) override { soundOn = on; }
    void play(ToneSamples samples) override
    {
        if (soundOn)
            played.append(std::move(samples));
    }
    QString unavailableReason() const override { return m_reason; }

private:
    QString m_reason;
};
