// How long `varnok-printer list` takes against a print server with 200 queues, as a whole
// process, beside `lpstat -e` (the CUPS command that lists only the names) on the same scheduler.
// An argument names another varnok-printer to time instead of the one built beside this program.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "figures.h"
#include "support/run_command.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 31;
constexpr int kWarmUpRuns = 3;
constexpr int kQueues = 200;

// One run to its end, its output read; throws unless it succeeds with a line a queue and more.
double TimeRun(const std::vector<std::string>& argv) {
  const auto start = Clock::now();
  const varnok::testing::CommandResult result = varnok::testing::RunCommand(argv);
  const Milliseconds elapsed = Clock::now() - start;
  if (result.exit_code != 0 || std::ranges::count(result.out, '\n') < kQueues) {
    throw std::runtime_error(argv.front() + " failed or listed too little:\n" + result.output);
  }
  return elapsed.count();
}

}  // namespace

int main(int argc, char* argv[]) try {
  using varnok::testing::VirtualPrinters;
  const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const std::string program = argc > 1 ? argv[1] : (bin / "varnok-printer").string();
  const auto printers = VirtualPrinters::Start(VirtualPrinters::PrintServerQueues(kQueues));

  const std::string load_before = varnok::bench::LoadAverage();
  std::vector<double> list;
  std::vector<double> lpstat;
  // Alternating, so that any drift of the machine touches both alike.
  for (int i = 0; i < kWarmUpRuns + kRuns; ++i) {
    const double list_ms = TimeRun({program, "list"});
    const double lpstat_ms = TimeRun({"lpstat", "-e"});
    if (i < kWarmUpRuns) continue;
    list.push_back(list_ms);
    lpstat.push_back(lpstat_ms);
  }

  std::printf("runs each: %d, alternating (after %d warm-up runs); %d queues\n", kRuns, kWarmUpRuns,
              kQueues);
  std::printf("load average (1 min): %s before, %s after\n", load_before.c_str(),
              varnok::bench::LoadAverage().c_str());
  std::printf("varnok-printer list, median: %7.2f ms\n", varnok::bench::Median(list));
  std::printf("lpstat -e, median:           %7.2f ms\n", varnok::bench::Median(lpstat));
  std::printf("ratio list / lpstat -e:      %7.2f (goal <= 1.5)\n",
              varnok::bench::Median(list) / varnok::bench::Median(lpstat));
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "list_bench: %s\n", error.what());
  return 1;
}
