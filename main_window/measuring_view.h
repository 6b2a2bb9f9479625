#pragma once

#include "core/alignment_state.h"

class ProbeService;
class QObject;
class QWidget;

// What the guided and the dynamic alignment both ask of the main window. The
// window carries it out; neither alignment touches its controls.
class MeasuringView {
public:
    // The alignment state that every window and procedure shares.
    virtual AlignmentState& state() = 0;
    virtual ProbeService& probe() = 0;
    // The main window: parent of the windows and message boxes a procedure opens.
    virtual QWidget* mainWindow() = 0;

    // `procedure` is the measurement running from now on, until it calls
    // endMeasurement(). It goes with the main window, so that closing the
    // window ends it at any point.
    virtual void runMeasurement(QObject* procedure) = 0;
    // The running measurement has taken its last step and is discarded; a
    // start pressed while it was finishing is handled now.
    virtual void endMeasurement() = 0;

    // ResetAlignment, on the main window; the alignment has ended for the
    // probes too.
    virtual void resetAlignment() = 0;
    // While "Sonido" is on, the tone of a grade.
    virtual void soundGrade(quint8 grade) = 0;

protected:
    ~MeasuringView() = default;
};
