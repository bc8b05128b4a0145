#pragma once
// Timing helpers shared by the benchmark's parts.
#include <algorithm>
#include <chrono>
#include <vector>

namespace zelk::bench {

inline constexpr int kRuns = 5;

double elapsedMs(auto&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of several runs, so one disturbed run does not decide the figure.
double medianMs(auto&& work)
{
    std::vector<double> times;
    for (int k = 0; k < kRuns; ++k)
        times.push_back(elapsedMs(work));
    return median(times);
}

} // namespace zelk::bench
