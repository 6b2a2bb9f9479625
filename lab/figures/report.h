#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace bench {

// One row of the report table. bench/run gathers the rows of every program;
// everything else a program prints is detail for the reader.
void printFigure(const QString& figure, const QString& result, const QString& reference, const QString& goal,
                 std::optional<bool> met);
void printDetail(const QString& line);
// A figure that could not be measured here, and why.
void printSkipped(const QString& figure, const QString& goal, const QString& reason);

// The values with this many decimals, blank-separated.
QString joined(const QList<double>& values, int decimals);
QString mebibytes(qint64 kib);

} // namespace bench
