// Benchmarks on a shared machine: other programs only ever add time, so each benchmark runs five
// times and is reported by its fastest run, the closest figure to its own cost.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Fastest(const std::vector<double>& times) {
    return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

// Five repetitions reported as their fastest: the name gets "/repeats:5" and the row "_min".
inline void BestOfFive(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ComputeStatistics("min", Fastest)
        ->ReportAggregatesOnly(true);
}

} // namespace bench
