#pragma once

#include "core/speaker.h"
#include "core/worker_thread.h"
#include "platform/speech_output.h"

#include <atomic>

// Speaks on a worker thread of its own, so that neither the program's start
// nor the UI thread ever waits for the speech service. The voice is made
// there the first time speech is switched on.
class ThreadedSpeaker : public Speaker {
    Q_OBJECT
public:
    ThreadedSpeaker();
    // Ends, however long the voice takes to open.
    ~ThreadedSpeaker() override;

    void setSpeechOn(bool on) override;
    void say(const QString& sentence) override;
    void silence() override;
    QString unavailableReason() const override;

    // Silences the voice and lets it go, on the worker's thread: Qt's speech
    // engine must be gone before the program's statics are. False when the
    // deadline came first, as while the engine opens: that may take seconds
    // and cannot be cut short.
    bool end(QDeadlineTimer deadline);

private:
    void showUnavailable(const QString& reason);

    // Counts every sentence and silence asked for, so that the worker, when
    // it gets to a sentence, drops it if something newer came meanwhile.
    std::atomic<unsigned> m_newest = 0;
    bool m_on = false;
    bool m_opened = false;
    QString m_unavailableReason;
    WorkerThread<platform::SpeechOutput> m_worker;
};
