// Wall-clock timing helpers shared by the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace marrowick::bench {

inline double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double medianMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(millisecondsOf(work));
    return median(times);
}

}  // namespace marrowick::bench
