#include "core/threaded_speaker.h"

ThreadedSpeaker::ThreadedSpeaker()
{
    m_output.moveToThread(&m_worker);
    connect(&m_worker, &QThread::finished, &m_output, &platform::SpeechOutput::close, Qt::DirectConnection);
    connect(&m_output, &platform::SpeechOutput::unavailable, this, &ThreadedSpeaker::showUnavailable);
    m_worker.start();
}

ThreadedSpeaker::~ThreadedSpeaker()
{
    silence();
    m_worker.quit();
    m_worker.wait();
}

void ThreadedSpeaker::setSpeechOn(bool on)
{
    if (on && !m_opened)
        QMetaObject::invokeMethod(&m_output, &platform::SpeechOutput::open);
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
    QMetaObject::invokeMethod(&m_output, [this, mine, sentence] {
        if (m_newest == mine)
            m_output.say(sentence);
    });
}

void ThreadedSpeaker::silence()
{
    ++m_newest;
    QMetaObject::invokeMethod(&m_output, &platform::SpeechOutput::stop);
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
