#include "core/threaded_speaker.h"

using namespace Qt::StringLiterals;

ThreadedSpeaker::ThreadedSpeaker() : m_worker(u"voice"_s)
{
    connect(m_worker.worker(), &platform::SpeechOutput::unavailable, this, &ThreadedSpeaker::showUnavailable);
}

ThreadedSpeaker::~ThreadedSpeaker()
{
    end(QDeadlineTimer::Forever);
}

void ThreadedSpeaker::setSpeechOn(bool on)
{
    if (on && !m_opened)
        m_worker.post([output = m_worker.worker()] { output->open(); });
    m_opened = m_opened || on;
    m_on = on;
    if (!on)
        silence();
}

void ThreadedSpeaker::say(const QString& sentence)
{
    if (!m_on)
        return;
    const unsigned mine = ++m_newest;
    m_worker.post([this, output = m_worker.worker(), mine, sentence] {
        if (m_newest == mine)
            output->say(sentence);
    });
}

void ThreadedSpeaker::silence()
{
    ++m_newest;
    m_worker.post([output = m_worker.worker()] { output->stop(); });
}

bool ThreadedSpeaker::end(QDeadlineTimer deadline)
{
    silence();
    return m_worker.end(deadline);
}

QString ThreadedSpeaker::unavailableReason() const
{
    return m_unavailableReason;
}

void ThreadedSpeaker::showUnavailable(const QString& reason)
{
    if (reason == m_unavailableReason)
        return;
    m_unavailableReason = reason;
    emit availabilityChanged();
}
