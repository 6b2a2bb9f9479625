#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

namespace platform {

// Runs `next` on the UI thread after `ms` milliseconds, unless `context` is
// destroyed first. The measuring procedures pause with this instead of
// blocking, so the windows keep answering.
void pauseThen(int ms, QObject* context, std::function<void()> next);

// Lets every pending window event run, then runs `next`.
void yieldThen(QObject* context, std::function<void()> next);

// Pauses last 1/factor of their time; tests use it to run quickly.
void setPauseSpeedup(int factor);

// Time passed on the pauses' clock, which runs as fast as they do.
class PauseStopwatch {
public:
    void restart();
    qint64 elapsedMs() const;

private:
    QElapsedTimer m_started;
};

} // namespace platform
