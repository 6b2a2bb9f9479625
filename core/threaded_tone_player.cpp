#include "core/threaded_tone_player.h"

using namespace Qt::StringLiterals;

ThreadedTonePlayer::ThreadedTonePlayer() : m_worker(u"tones"_s)
{
    connect(m_worker.worker(), &ToneScheduler::unavailable, this, &ThreadedTonePlayer::showUnavailable);
}

void ThreadedTonePlayer::setSoundOn(bool on)
{
    m_soundOn = on;
    m_worker.post([scheduler = m_worker.worker(), on] { scheduler->setSoundOn(on); });
}

// The moment a tone is asked for is taken here, so that the time it waits
// for the worker does not move it off the beat.
void ThreadedTonePlayer::play(ToneSamples samples)
{
    if (!m_soundOn || samples.empty())
        return;
    m_worker.post([scheduler = m_worker.worker(), samples = std::move(samples), asked = ToneScheduler::Clock::now()] {
        scheduler->play(samples, asked);
    });
}

QString ThreadedTonePlayer::unavailableReason() const
{
    return m_unavailableReason;
}

void ThreadedTonePlayer::showUnavailable(const QString& reason)
{
    if (reason == m_unavailableReason)
        return;
    m_unavailableReason = reason;
    emit availabilityChanged();
}
