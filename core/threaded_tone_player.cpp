#include "core/threaded_tone_player.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace {

// Written a slice at a time so that closing cuts a tone short at once.
constexpr std::size_t SliceSamples = ToneSampleRate / 100;
// Every tone follows a silence, and a sound server that has already played
// ahead into that silence skips as much of what comes next: a few ms that
// would cut the fade-in and click. Silence before the tone is skipped instead.
constexpr std::array<std::int16_t, ToneSampleRate / 100> LeadIn{};

}  // namespace

ThreadedTonePlayer::ThreadedTonePlayer(QObject* parent)
    : TonePlayer(parent)
{
    workerContext_.moveToThread(&worker_);
    worker_.start();
}

ThreadedTonePlayer::~ThreadedTonePlayer()
{
    stopping_ = true;
    worker_.quit();
    worker_.wait();
}

void ThreadedTonePlayer::play(ToneSamples samples)
{
    if (samples.empty())
        return;
    const QMutexLocker lock(&waitingMutex_);
    waiting_ = std::move(samples);
    if (!std::exchange(workerCalled_, true))
        QMetaObject::invokeMethod(&workerContext_, [this] { playWaiting(); }, Qt::QueuedConnection);
}

bool ThreadedTonePlayer::available() const
{
    return available_;
}

QString ThreadedTonePlayer::unavailableReason() const
{
    return unavailableReason_;
}

void ThreadedTonePlayer::playWaiting()
{
    while (const auto samples = takeWaiting()) {
        if (stopping_)
            return;
        sound(*samples);
    }
}

std::optional<ToneSamples> ThreadedTonePlayer::takeWaiting()
{
    const QMutexLocker lock(&waitingMutex_);
    auto samples = std::exchange(waiting_, std::nullopt);
    workerCalled_ = samples.has_value();
    return samples;
}

void ThreadedTonePlayer::sound(const ToneSamples& samples)
{
    if (!output_.isOpen()) {
        const bool opened = output_.open(ToneSampleRate);
        report(opened, output_.failure());
        if (!opened)
            return;
    }
    if (write(LeadIn))
        write(samples);
}

bool ThreadedTonePlayer::write(std::span<const std::int16_t> samples)
{
    for (auto rest = samples; !rest.empty() && !stopping_;) {
        const auto slice = rest.first(std::min(SliceSamples, rest.size()));
        if (!output_.write(slice)) {
            report(false, output_.failure());
            return false;
        }
        rest = rest.subspan(slice.size());
    }
    return true;
}

void ThreadedTonePlayer::report(bool available, const QString& reason)
{
    QMetaObject::invokeMethod(this, [this, available, reason] {
        if (available == available_ && reason == unavailableReason_)
            return;
        available_ = available;
        unavailableReason_ = reason;
        emit availabilityChanged();
    }, Qt::QueuedConnection);
}
