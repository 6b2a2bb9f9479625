#include "core/reset_alignment.h"

namespace {

void clearCounters(AlignmentState& state)
{
    state.LastRoundTrip = 0;
    state.ProbeCount = 0;
    state.TotalPlusV = state.TotalMinusH = state.TotalMinusV = state.TotalPlusH = 0;
    state.SampleIndex = 1;
    state.GuidedStep = 1;
    state.LastGrade = 0;
    state.PlusVValue = state.MinusVValue = state.VertDifference = 0;
    state.MinusHValue = state.PlusHValue = state.HorzDifference = 0;
}

void clearGrades(AlignmentState& state)
{
    for (GradeArray* grades : {&state.GradesPlusV, &state.GradesMinusH, &state.GradesMinusV, &state.GradesPlusH})
        grades->fill(0);
}

} // namespace

void ResetAlignment(AlignmentState& state, AlignmentView& view)
{
    view.disableCueTimer();
    view.resetGuidedAddressBoxes();
    view.clearSums();
    view.clearDynamicChart();
    view.resetBars();
    view.clearCorrections();
    view.restartLogs(state.LocalAddress);
    view.hideIndicators();
    view.enableStartButtons();
    clearCounters(state);
    clearGrades(state);
    state.StopRequested = true;
}
