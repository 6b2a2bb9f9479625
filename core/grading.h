#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

enum class Cell { Bar, Blank, Dash };

// One graded probe: its code (1 "Bueno" to 6 "Sin conectividad") and its
// chart column, top cell first.
struct Grade {
    quint8 code;
    std::array<Cell, 5> column;
};

// No grade for the gaps between the bands (8-10, 21-24, 41-44, 71-75 ms) and
// for negative times: such a probe adds no column.
std::optional<Grade> GradeRoundTrip(qint32 status, qint32 roundTripMs);

// The character a chart cell is drawn with.
QString cellText(Cell cell, const QString& bar, const QString& blank, const QString& dash);
