#pragma once

#include "core/grading.h"
#include "main_window/measuring_view.h"

#include <functional>

// What the dynamic alignment asks of the main window, step by step.
class DynamicView : public MeasuringView {
public:
    // The handling of "INICIAR", "DETENER" and the speed slider, which is
    // given the slider's position.
    virtual void attachDynamicCommands(std::function<void()> Command6_Click, std::function<void()> Command7_Click,
                                       std::function<void(int position)> Slider1_Change) = 0;
    // Composes DynamicTargetIP from the dynamic page's "IP Receptor" boxes.
    virtual void BuildDynamicTarget() = 0;

    // "Iniciando alineacion de antena" logged; "CALCULAR" and "INICIAR"
    // disabled, "DETENER" enabled.
    virtual void showRunStarted() = 0;
    // "INICIAR" and "CALCULAR" enabled, "DETENER" disabled, while the run
    // goes on to the top of its next pass; no probe follows but one still out.
    virtual void showRunStopped() = 0;

    // Empties the five chart lines, bottom line first.
    virtual void clearChart() = 0;
    // Adds the grade's column to the chart, and gives the indicator the
    // grade's colour, unfilled until showIndicator().
    virtual void drawColumn(const Grade& grade) = 0;
    virtual void showIndicator() = 0;
    // "Ultimo valor para alineacion" with the pass's round trip, brought into view.
    virtual void logPass(qint32 roundTrip) = 0;

protected:
    ~DynamicView() = default;
};
