#pragma once

#include "core/tone_player.h"

#include <memory>

// Sounds the tones one after another on a worker thread of its own, which
// holds the sound output while the sound is on. What it learns about the
// output comes back on the thread that owns the player.
class ThreadedTonePlayer : public TonePlayer {
    Q_OBJECT
public:
    ThreadedTonePlayer();
    // Returns at once: a worker still waiting on a sound server that does not
    // answer is left to end with the program.
    ~ThreadedTonePlayer() override;

    void setSoundOn(bool on) override;
    void play(ToneSamples samples) override;
    QString unavailableReason() const override;

private:
    struct Worker;

    std::shared_ptr<Worker> m_worker;
    QString m_unavailableReason;
};
