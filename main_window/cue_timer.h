#pragma once

#include "platform/pause_clock.h"

#include <QObject>

// The main window's cue timer. Its ticks are handled only where a running
// measurement lets pending events run: at most one tick each time, and only
// once its interval has passed since it was enabled or last ticked. So the
// cue blinks at the pace of the samples, and never during a pause or a probe.
class CueTimer : public QObject {
    Q_OBJECT
public:
    CueTimer(QObject* parent, int intervalMs);

    // Enabling a timer that runs already leaves its interval running.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Called where pending events run: ticks if a tick is due.
    void handlePendingTick();

signals:
    void tick();

private:
    int m_intervalMs;
    bool m_enabled = false;
    platform::PauseStopwatch m_sinceLastTick;
};
