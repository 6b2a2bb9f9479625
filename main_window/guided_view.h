#pragma once

#include "main_window/measuring_view.h"

#include <QString>
#include <functional>

struct GuidedOrientation;

// What the guided alignment asks of the main window, step by step.
class GuidedView : public MeasuringView {
public:
    // The handling of "CALCULAR" and "VER LEYENDA".
    virtual void attachGuidedCommands(std::function<void()> Command1_Click, std::function<void()> Command3_Click) = 0;
    // Composes GuidedTargetIP from the guided page's "IP Receptor" boxes.
    virtual void BuildGuidedTarget() = 0;

    // "CALCULAR" and "INICIAR" disabled, "Iniciando alineacion de antena" logged.
    virtual void showAlignmentStarted() = 0;
    // The orientation's start line logged and brought into view.
    virtual void logMeasuringStarted(const GuidedOrientation& orientation) = 0;
    // The cue runs while a pattern takes its samples, and ticks only where
    // the pattern lets pending events run.
    virtual void runCue() = 0;
    virtual void tickCueIfDue() = 0;
    // All four sums into their boxes, top row first, each box running the
    // readout; then into each bar that can show its sum.
    virtual void showSums() = 0;
    // The pattern's last sample is in: its chime, the cue stopped, and the
    // "Total" bar at the orientations measured so far.
    virtual void showOrientationMeasured() = 0;
    // "COMPLETADO": the cue stopped and emptied, and the measured orientation's
    // arm filled; no arm outside the four steps.
    virtual void showOrientationCompleted(const GuidedOrientation* measured) = 0;
    // "CALCULAR" disabled, "BORRAR DATOS" enabled, and the end logged and
    // brought into view; no probe follows.
    virtual void showAlignmentFinished() = 0;

    // While "Sonido" is on, says the sentence in place of one being said.
    virtual void speak(const QString& sentence) = 0;
    virtual void silenceSpeech() = 0;
    // While "Sonido" is on, says both corrections as the readout shows them.
    virtual void sayCorrections() = 0;

protected:
    ~GuidedView() = default;
};
