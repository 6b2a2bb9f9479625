#include "core/threaded_tone_player.h"

ThreadedTonePlayer::ThreadedTonePlayer()
{
    m_scheduler.moveToThread(&m_worker);
    connect(&m_worker, &QThread::finished, &m_scheduler, &ToneScheduler::close, Qt::DirectConnection);
    connect(&m_scheduler, &ToneScheduler::unavailable, this, &ThreadedTonePlayer::showUnavailable);
    m_worker.start();
}

ThreadedTonePlayer::~ThreadedTonePlayer()
{
    m_worker.quit();
    m_worker.wait();
}

void ThreadedTonePlayer::setSoundOn(bool on)
{
    m_soundOn = on;
    QMetaObject::invokeMethod(&m_scheduler, [this, on] { m_scheduler.setSoundOn(on); });
}

// The moment a tone is asked for is taken here, so that the time it waits
// for the worker does not move it off the beat.
void ThreadedTonePlayer::play(ToneSamples samples)
{
    if (!m_soundOn || samples.empty())
        return;
    QMetaObject::invokeMethod(&m_scheduler, [this, samples = std::move(samples), asked = ToneScheduler::Clock::now()] {
        m_scheduler.play(samples, asked);
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
