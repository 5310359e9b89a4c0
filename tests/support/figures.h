#pragma once

// Timings and memory measured by the tests. They are reported, never asserted (only a
// hang guard is): each goes to the test's XML properties and to the output.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace varnok::testing {

// A press that takes this long counts as hung.
inline constexpr std::chrono::seconds kHangGuard{30};

inline void ReportFigure(const std::string& name, double value, const char* unit) {
  ::testing::Test::RecordProperty(name, std::to_string(value) + " " + unit);
  std::printf("[  FIGURE  ] %s: %.1f %s\n", name.c_str(), value, unit);
}

// Runs the action, reports how long it took and checks it did not hang.
template <typename Action>
void TimeAndGuard(const std::string& name, Action&& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  ReportFigure(name, took.count(), "ms");
  EXPECT_LT(took, kHangGuard) << name << " took so long it counts as hung";
}

// The process's peak resident memory so far.
inline double PeakResidentMebibytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

}  // namespace varnok::testing
