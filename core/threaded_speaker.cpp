#include "core/threaded_speaker.h"

#include "platform/speech_output.h"

#include <QThread>

ThreadedSpeaker::~ThreadedSpeaker()
{
    if (!m_worker)
        return;
    silence();
    m_worker->quit();
    m_worker->wait();
    delete m_worker;
}

void ThreadedSpeaker::setSpeechOn(bool on)
{
    if (on && !m_worker)
        startVoice();
    m_on = on;
    if (!on)
        silence();
}

void ThreadedSpeaker::say(const QString& sentence)
{
    if (!m_on)
        return;
    const unsigned mine = ++*m_newest;
    QMetaObject::invokeMethod(m_output, [output = m_output, newest = m_newest, mine, sentence] {
        if (*newest == mine)
            output->say(sentence);
    });
}

void ThreadedSpeaker::silence()
{
    if (!m_worker)
        return;
    ++*m_newest;
    QMetaObject::invokeMethod(m_output, &platform::SpeechOutput::stop);
}

QString ThreadedSpeaker::unavailableReason() const
{
    return m_unavailableReason;
}

void ThreadedSpeaker::startVoice()
{
    m_worker = new QThread;
    m_output = new platform::SpeechOutput;
    m_output->moveToThread(m_worker);
    connect(m_worker, &QThread::finished, m_output, &QObject::deleteLater);
    connect(m_output, &platform::SpeechOutput::unavailable, this, &ThreadedSpeaker::showUnavailable);
    m_worker->start();
    QMetaObject::invokeMethod(m_output, &platform::SpeechOutput::open);
}

void ThreadedSpeaker::showUnavailable(const QString& reason)
{
    if (reason == m_unavailableReason)
        return;
    m_unavailableReason = reason;
    emit availabilityChanged();
}
