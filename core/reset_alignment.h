#pragma once

#include "core/alignment_state.h"

// What a reset clears in the windows, one step each, in the order the reset
// takes them. The main window carries them out.
class AlignmentView {
public:
    virtual void disableCueTimer() = 0;
    virtual void resetGuidedAddressBoxes() = 0;
    // Each emptied sum box runs its change handling.
    virtual void clearSums() = 0;
    virtual void clearDynamicChart() = 0;
    virtual void resetBars() = 0;
    virtual void clearCorrections() = 0;
    virtual void restartLogs(const QString& localAddress) = 0;
    virtual void hideIndicators() = 0;
    virtual void enableStartButtons() = 0;

protected:
    ~AlignmentView() = default;
};

// Clears the alignment state and the main window's results, and asks a
// running dynamic alignment to stop. Runs straight through, yielding nothing:
// the windows are cleared first, so the readout that the emptied sum boxes
// run still sees the state as it was.
void ResetAlignment(AlignmentState& state, AlignmentView& view);
