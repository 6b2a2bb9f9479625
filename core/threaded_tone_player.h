#pragma once

#include "core/tone_player.h"
#include "core/tone_scheduler.h"

#include <QThread>

// Sounds the tones on a worker thread of its own, which holds the sound
// output while the sound is on. What it learns about the output comes back
// on the thread that owns the player.
class ThreadedTonePlayer : public TonePlayer {
    Q_OBJECT
public:
    ThreadedTonePlayer();
    // Joins the worker, which lets the output go: returns at once.
    ~ThreadedTonePlayer() override;

    void setSoundOn(bool on) override;
    void play(ToneSamples samples) override;
    QString unavailableReason() const override;

private:
    void showUnavailable(const QString& reason);

    QThread m_worker;
    ToneScheduler m_scheduler; // lives in m_worker
    bool m_soundOn = false;
    QString m_unavailableReason;
};
