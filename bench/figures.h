#pragma once

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

namespace varnok::bench {

// The middle value, or the mean of the two middle ones; the benchmarks report medians so that
// a few runs disturbed by the shared machine do not move the figures.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The one-minute load average, printed with the figures: a shared machine's load moves them.
inline std::string LoadAverage() {
  std::string one_minute;
  std::ifstream("/proc/loadavg") >> one_minute;
  return one_minute;
}

}  // namespace varnok::bench
