#pragma once

#include "core/alignment_state.h"

#include <QString>

// One orientation of the guided alignment, with everything that belongs to
// it in every window. GuidedStep 1 to 4 names them in their fixed order.
struct GuidedOrientation {
    qint16 step;
    QString direction; // "+Vertical"
    GradeArray AlignmentState::*grades;
    qint16 AlignmentState::*total;
    int row;              // Text10(row), ProgressBar(4 + row)
    QString rowLabel;     // "+Y", beside the row
    int mainArm;          // Shape6(mainArm) of the main window
    int promptArm;        // Shape<promptArm> of the prompt's cross
    QString promptWords;  // how the prompt tells the user to hold it
    QString spokenNumber; // "uno": its place among the four, said aloud
    QString spokenWay;    // "hacia arriba": how to hold it, said aloud

    QString cueText() const;
};

// The four orientations, in the order of their steps.
const std::array<GuidedOrientation, 4>& guidedOrientations();

// The orientation of a guided step; null for any step outside 1 to 4.
const GuidedOrientation* orientationOfStep(qint16 step);
// The orientation shown in a row of the main window; null for other rows.
const GuidedOrientation* orientationOfRow(int row);
