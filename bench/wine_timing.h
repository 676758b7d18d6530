// Timing for the benchmarks that run under Wine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median time of `rounds` runs of `work`.
template <typename Work>
double MedianSeconds(int rounds, Work work) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = Seconds();
    work();
    times.push_back(Seconds() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace bench
