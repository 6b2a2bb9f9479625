#pragma once

#include <QList>

struct Summary {
    double min = 0;
    double mean = 0;
    double max = 0;
};

Summary summarize(const QList<double>& values);
double median(QList<double> values);
// The value that this share (0 to 1) of the values does not exceed.
double percentile(QList<double> values, double share);
// Least-squares slope of the values against their index: the change per step.
double slope(const QList<double>& values);
