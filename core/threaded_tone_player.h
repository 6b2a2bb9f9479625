#pragma once

#include "core/tone_player.h"
#include "core/tone_scheduler.h"
#include "core/worker_thread.h"

// Sounds the tones on a worker thread of its own, which holds the sound
// output while the sound is on. What it learns about the output comes back
// on the thread that owns the player. The worker ends with the player, and
// lets the output go at once.
class ThreadedTonePlayer : public TonePlayer {
    Q_OBJECT
public:
    ThreadedTonePlayer();

    void setSoundOn(bool on) override;
    void play(ToneSamples samples) override;
    QString unavailableReason() const override;

private:
    void showUnavailable(const QString& reason);

    bool m_soundOn = false;
    QString m_unavailableReason;
    WorkerThread<ToneScheduler> m_worker;
};
