#pragma once

#include "core/alignment_state.h"
#include "platform/pause_clock.h"

#include <QObject>
#include <array>

class QLineEdit;
class Shape;

// The main window's cue while a guided orientation is measured: the
// measured arm of the direction indicator blinks, the cue line names the
// orientation and flashes. The measurement and the reset start and stop it;
// its ticks are handled only where a running measurement lets pending events
// run, at most one each time and only once its 50 ms have passed since it
// was enabled or last ticked. So the cue blinks at the pace of the samples,
// and never during a pause or a probe.
class CueTimer : public QObject {
    Q_OBJECT
public:
    // Blinks the arm of the orientation that `state`'s GuidedStep names, and
    // flashes the cue line.
    CueTimer(QObject* window, const AlignmentState& state, const std::array<Shape*, 4>& arms, QLineEdit* cueLine);

    // Enabling a timer that runs already leaves its interval running.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Called where pending events run: ticks if a tick is due.
    void handlePendingTick();
    // One tick: shows or hides the measured arm, naming the orientation as it
    // shows it, and swaps the cue line's colours.
    void Timer1_Timer();

private:
    const AlignmentState& m_state;
    std::array<Shape*, 4> m_arms;
    QLineEdit* m_cueLine;
    bool m_enabled = false;
    platform::PauseStopwatch m_sinceLastTick;
};
