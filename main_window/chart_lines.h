#pragma once

#include "core/alignment_state.h"
#include "core/grading.h"

#include <array>

class QLineEdit;

// The five text lines of a character chart, top line first.
using ChartLines = std::array<QLineEdit*, 5>;

// Adds the grade's column: one character at the end of each line, drawn with
// the trace characters of the running procedure.
void appendColumn(const ChartLines& lines, const Grade& grade, const AlignmentState& state);

// Empties the lines in the order given.
void clearLines(const ChartLines& lines);
