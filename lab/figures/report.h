#pragma once

#include <QList>
#include <QString>
#include <optional>

// One row of the benchmarks' report table. bench/run gathers the rows that
// the benchmark programs and the tests that measure a figure print;
// everything else they print is detail for the reader.
void printFigure(const QString& figure, const QString& result, const QString& reference, const QString& goal,
                 std::optional<bool> met);
void printDetail(const QString& line);
// A figure that could not be measured here, and why.
void printSkipped(const QString& figure, const QString& goal, const QString& reason);

// The values with this many decimals, blank-separated.
QString joined(const QList<double>& values, int decimals);
QString mebibytes(qint64 kib);
