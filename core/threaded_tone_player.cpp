#include "core/threaded_tone_player.h"

#include "platform/sound_output.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

namespace {

// Written a slice at a time, so that switching the sound off or closing the
// program cuts a tone short at once.
constexpr std::size_t SliceSamples = ToneSampleRate / 100;
// Every tone follows a silence, and a sound server that has already played
// ahead into that silence skips as much of what comes next: a few ms that
// would cut the fade-in and click. Silence before the tone is skipped instead.
constexpr std::array<std::int16_t, ToneSampleRate / 100> LeadIn{};
// A tone that comes while another plays waits until that one is nearly
// over, so that only the newest of those that came meanwhile follows it.
constexpr std::chrono::milliseconds FollowOn{25};
// How long closing the program waits for the worker to let the output go.
constexpr std::chrono::milliseconds JoinWait{200};

} // namespace

// What the player and its worker thread share; the worker keeps it alive for
// as long as it runs, also after the player is gone.
struct ThreadedTonePlayer::Worker {
    std::mutex mutex;
    std::condition_variable wake;
    // Guarded by mutex:
    ThreadedTonePlayer* player; // null once the player is gone
    bool stopping = false;
    bool soundOn = false;
    bool mayConnect = false; // after a failed connection, only at the next tone
    std::optional<ToneSamples> waiting;
    // The worker's own:
    platform::SoundOutput output;
    std::promise<void> finished;

    void run();
    void connect();
    void sound(const ToneSamples& samples);
    void waitWhilePlaying();
    bool write(std::span<const std::int16_t> samples);
    bool cutShort();
    void report(const QString& reason);
};

void ThreadedTonePlayer::Worker::run()
{
    std::unique_lock lock(mutex);
    while (!stopping) {
        if (!soundOn && output.isOpen()) {
            lock.unlock();
            output.close();
            lock.lock();
        } else if (soundOn && !output.isOpen() && mayConnect) {
            mayConnect = false;
            lock.unlock();
            connect();
            lock.lock();
        } else if (soundOn && output.isOpen() && waiting) {
            const ToneSamples samples = *std::exchange(waiting, std::nullopt);
            lock.unlock();
            sound(samples);
            lock.lock();
        } else {
            wake.wait(lock);
        }
    }
}

void ThreadedTonePlayer::Worker::connect()
{
    report(output.open(ToneSampleRate) ? QString() : output.failure());
}

void ThreadedTonePlayer::Worker::sound(const ToneSamples& samples)
{
    if (write(LeadIn) && write(samples))
        waitWhilePlaying();
}

void ThreadedTonePlayer::Worker::waitWhilePlaying()
{
    const auto playing = output.unplayed() - FollowOn;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, playing, [this] { return stopping || !soundOn; });
}

bool ThreadedTonePlayer::Worker::write(std::span<const std::int16_t> samples)
{
    for (auto rest = samples; !rest.empty() && !cutShort();) {
        const auto slice = rest.first(std::min(SliceSamples, rest.size()));
        if (!output.write(slice)) {
            report(output.failure());
            return false;
        }
        rest = rest.subspan(slice.size());
    }
    return true;
}

bool ThreadedTonePlayer::Worker::cutShort()
{
    const std::lock_guard lock(mutex);
    return stopping || !soundOn;
}

void ThreadedTonePlayer::Worker::report(const QString& reason)
{
    const std::lock_guard lock(mutex);
    if (!player)
        return;
    QMetaObject::invokeMethod(
        player,
        [player = player, reason] {
            if (reason == player->m_unavailableReason)
                return;
            player->m_unavailableReason = reason;
            emit player->availabilityChanged();
        },
        Qt::QueuedConnection);
}

ThreadedTonePlayer::ThreadedTonePlayer() : m_worker(std::make_shared<Worker>())
{
    m_worker->player = this;
    std::thread([worker = m_worker] {
        worker->run();
        worker->output.close();
        worker->finished.set_value();
    }).detach();
}

ThreadedTonePlayer::~ThreadedTonePlayer()
{
    {
        const std::lock_guard lock(m_worker->mutex);
        m_worker->stopping = true;
        m_worker->player = nullptr;
    }
    m_worker->wake.notify_all();
    m_worker->finished.get_future().wait_for(JoinWait);
}

void ThreadedTonePlayer::setSoundOn(bool on)
{
    {
        const std::lock_guard lock(m_worker->mutex);
        m_worker->soundOn = on;
        m_worker->mayConnect = on;
        m_worker->waiting.reset();
    }
    m_worker->wake.notify_all();
}

void ThreadedTonePlayer::play(ToneSamples samples)
{
    if (samples.empty())
        return;
    {
        const std::lock_guard lock(m_worker->mutex);
        if (!m_worker->soundOn)
            return;
        m_worker->waiting = std::move(samples);
        m_worker->mayConnect = true;
    }
    m_worker->wake.notify_all();
}

QString ThreadedTonePlayer::unavailableReason() const
{
    return m_unavailableReason;
}
