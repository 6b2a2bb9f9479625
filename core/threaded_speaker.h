#pragma once

#include "core/speaker.h"
#include "platform/speech_output.h"

#include <QThread>
#include <atomic>

// Speaks on a worker thread of its own, so that neither the program's start
// nor the UI thread ever waits for the speech service. The voice is made
// there the first time speech is switched on.
class ThreadedSpeaker : public Speaker {
    Q_OBJECT
public:
    ThreadedSpeaker();
    // Silences the voice and joins the worker, which lets the voice go: Qt's
    // speech engine must be gone before the program's statics are.
    ~ThreadedSpeaker() override;

    void setSpeechOn(bool on) override;
    void say(const QString& sentence) override;
    void silence() override;
    QString unavailableReason() const override;

private:
    void showUnavailable(const QString& reason);

    QThread m_worker;
    platform::SpeechOutput m_output; // lives in m_worker
    // Counts every sentence and silence asked for, so that the worker, when
    // it gets to a sentence, drops it if something newer came meanwhile.
    std::atomic<unsigned> m_newest = 0;
    bool m_on = false;
    bool m_opened = false;
    QString m_unavailableReason;
};
