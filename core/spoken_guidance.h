#pragma once

#include <QString>

struct GuidedOrientation;

// What the guided alignment says aloud while "Sonido" is on, so that it can
// be followed with no eyes on the screen.

// Said as the prompt for the orientation opens: which of the four it is and
// how to hold the antenna.
QString spokenPrompt(const GuidedOrientation& orientation);

// Said once all four orientations are measured: both corrections as the
// readout shows them ("Arriba  7.5º"), the figure with a decimal comma.
QString spokenResult(const QString& verticalReadout, const QString& horizontalReadout);
