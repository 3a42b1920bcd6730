#pragma once

// Shared by the benchmarks: medians. The simulator is started with the tests' SimProcess.

#include <QList>

#include <algorithm>

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
