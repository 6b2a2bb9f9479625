#include "figures/stats.h"

#include <algorithm>
#include <numeric>

Summary summarize(const QList<double>& values)
{
    if (values.isEmpty())
        return {};
    const auto [min, max] = std::ranges::minmax(values);
    return {min, std::accumulate(values.begin(), values.end(), 0.0) / double(values.size()), max};
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::ranges::sort(values);
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::ranges::sort(values);
    return values[qsizetype(share * double(values.size() - 1))];
}

double slope(const QList<double>& values)
{
    const double n = double(values.size());
    if (n < 2)
        return 0;
    const double meanIndex = (n - 1) / 2;
    const double meanValue = summarize(values).mean;
    double covariance = 0;
    double variance = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        covariance += (double(i) - meanIndex) * (values[i] - meanValue);
        variance += (double(i) - meanIndex) * (double(i) - meanIndex);
    }
    return covariance / variance;
}
