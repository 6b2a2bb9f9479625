#include "platform/pause_clock.h"

#include <QTimer>

namespace platform {

namespace {
int speedup = 1;
}

void pauseThen(int ms, QObject* context, std::function<void()> next)
{
    QTimer::singleShot(ms / speedup, Qt::PreciseTimer, context, std::move(next));
}

void yieldThen(QObject* context, std::function<void()> next)
{
    QTimer::singleShot(0, context, std::move(next));
}

void setPauseSpeedup(int factor)
{
    speedup = factor > 0 ? factor : 1;
}

void PauseStopwatch::restart()
{
    m_started.start();
}

qint64 PauseStopwatch::elapsedMs() const
{
    return m_started.elapsed() * speedup;
}

} // namespace platform
