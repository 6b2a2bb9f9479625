#include "core/grading.h"

namespace {

// Grades 1 to 5 stack 6 - code bars from the bottom line up.
Grade barsFromBottom(quint8 code)
{
    Grade grade{code, {}};
    const int blanks = code - 1;
    for (int row = 0; row < 5; ++row)
        grade.column[row] = row < blanks ? Cell::Blank : Cell::Bar;
    return grade;
}

} // namespace

std::optional<Grade> GradeRoundTrip(qint32 status, qint32 roundTripMs)
{
    if (status != 0)
        return Grade{6, {Cell::Blank, Cell::Blank, Cell::Blank, Cell::Blank, Cell::Dash}};
    if (roundTripMs >= 0 && roundTripMs <= 7)
        return barsFromBottom(1);
    if (roundTripMs >= 11 && roundTripMs <= 20)
        return barsFromBottom(2);
    if (roundTripMs >= 25 && roundTripMs <= 40)
        return barsFromBottom(3);
    if (roundTripMs >= 45 && roundTripMs <= 70)
        return barsFromBottom(4);
    if (roundTripMs >= 76)
        return barsFromBottom(5);
    return std::nullopt;
}

QString cellText(Cell cell, const QString& bar, const QString& blank, const QString& dash)
{
    switch (cell) {
    case Cell::Bar: return bar;
    case Cell::Blank: return blank;
    case Cell::Dash: return dash;
    }
    return blank;
}
