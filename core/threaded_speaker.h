#pragma once

#include "core/speaker.h"

#include <atomic>
#include <memory>

class QThread;
namespace platform {
class SpeechOutput;
}

// Speaks on a worker thread of its own, made the first time speech is
// switched on, so that neither the program's start nor the UI thread ever
// waits for the speech service.
class ThreadedSpeaker : public Speaker {
    Q_OBJECT
public:
    ThreadedSpeaker() = default;
    // Silences the voice and waits until the worker has let the service go:
    // Qt's speech engine must be gone before the program's statics are, and
    // the window has closed by then, so nobody sees the wait.
    ~ThreadedSpeaker() override;

    void setSpeechOn(bool on) override;
    void say(const QString& sentence) override;
    void silence() override;
    QString unavailableReason() const override;

private:
    void startVoice();
    void showUnavailable(const QString& reason);

    QThread* m_worker = nullptr;
    platform::SpeechOutput* m_output = nullptr; // lives in m_worker
    // Counts every sentence and silence asked for, so that the worker, when
    // it gets to a sentence, drops it if something newer came meanwhile.
    std::shared_ptr<std::atomic<unsigned>> m_newest = std::make_shared<std::atomic<unsigned>>(0);
    bool m_on = false;
    QString m_unavailableReason;
};
