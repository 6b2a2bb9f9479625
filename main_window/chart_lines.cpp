#include "main_window/chart_lines.h"

#include <QLineEdit>

void appendColumn(const ChartLines& lines, const Grade& grade, const AlignmentState& state)
{
    for (std::size_t row = 0; row < lines.size(); ++row)
        lines[row]->setText(lines[row]->text()
                            + cellText(grade.column[row], state.TraceBar, state.TraceBlank, state.TraceDash));
}

void clearLines(const ChartLines& lines)
{
    for (QLineEdit* line : lines)
        line->clear();
}
