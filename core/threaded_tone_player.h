#pragma once

#include "core/tone_player.h"
#include "platform/sound_output.h"

#include <QMutex>
#include <QThread>
#include <atomic>
#include <optional>
#include <span>

// Sounds the tones one after another on a single worker thread of its own,
// which connects to the sound server at the first tone, and again at the
// next tone after the connection failed or was lost. What it learns about
// the output comes back on the thread that owns the player.
class ThreadedTonePlayer : public TonePlayer {
    Q_OBJECT
public:
    explicit ThreadedTonePlayer(QObject* parent = nullptr);
    // Cuts the tone playing short and joins the worker.
    ~ThreadedTonePlayer() override;

    void play(ToneSamples samples) override;
    bool available() const override;
    QString unavailableReason() const override;

private:
    // On the worker.
    void playWaiting();
    std::optional<ToneSamples> takeWaiting();
    void sound(const ToneSamples& samples);
    bool write(std::span<const std::int16_t> samples);
    void report(bool available, const QString& reason);

    QMutex waitingMutex_;
    std::optional<ToneSamples> waiting_;  // guarded by waitingMutex_
    bool workerCalled_ = false;           // guarded by waitingMutex_
    std::atomic<bool> stopping_{false};
    platform::SoundOutput output_;  // used on the worker only
    bool available_ = false;
    QString unavailableReason_;
    QThread worker_;
    QObject workerContext_;  // lives in worker_; playWaiting() is queued to it
};
