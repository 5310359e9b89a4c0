// varnok-printer set as a user runs it, a whole process from its start until the last byte is
// at the printer, against `lp -d QUEUE -o raw FILE` with the same bytes: to one queue, and to
// 20 queues in one call against 20 lp calls one after another, as a script would make them.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include "figures.h"
#include "support/run_command.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using varnok::testing::VirtualPrinters;

constexpr int kRuns = 25;
constexpr int kWarmUpRuns = 3;
constexpr int kQueues = 20;
constexpr const char* kDriver = "VARNOK K540 200DPI";
// The model's SD correction, so that set reads the settings file and adds it (12 + 12).
constexpr const char* kConfig = "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=12\r\n";
const std::vector<std::string> kSetting = {"vertical-reflective", "12"};
const std::string kCommand = "#UM>SD24\r";

std::vector<std::string> QueueNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= kQueues; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "VARNOK_BENCH_%02d", i);
    names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> LpCall(const std::string& queue, const std::string& file) {
  return {"lp", "-d", queue, "-o", "raw", file};
}

void Run(const std::vector<std::string>& argv) {
  const varnok::testing::CommandResult result = varnok::testing::RunCommand(argv);
  if (result.exit_code != 0) throw std::runtime_error(argv[0] + " failed: " + result.output);
}

// Runs the sends, then waits until every queue's printer has its job whole.
double TimeToLastBytes(VirtualPrinters& printers, const std::vector<std::string>& queues,
                       const std::function<void()>& send) {
  const auto start = Clock::now();
  send();
  for (const std::string& queue : queues) {
    if (printers.WaitForJob(queue, std::chrono::seconds(10)) != kCommand) {
      throw std::runtime_error("the job for " + queue + " did not arrive intact");
    }
  }
  const Milliseconds elapsed = Clock::now() - start;
  return elapsed.count();
}

struct Pair {
  double set_ms;
  double reference_ms;
};

// set to the queues in one call against the reference sends, alternating.
Pair Compare(VirtualPrinters& printers, const std::vector<std::string>& queues,
             const std::string& config, const std::function<void()>& reference) {
  std::vector<std::string> set_call = {VARNOK_PRINTER_PROGRAM, "set"};
  set_call.insert(set_call.end(), kSetting.begin(), kSetting.end());
  set_call.insert(set_call.end(), queues.begin(), queues.end());
  set_call.insert(set_call.end(), {"--config", config});
  const auto set = [&] { Run(set_call); };

  std::vector<double> set_ms;
  std::vector<double> reference_ms;
  // Alternating, so that any drift of the machine touches both alike.
  for (int i = 0; i < kWarmUpRuns + kRuns; ++i) {
    const double one_set = TimeToLastBytes(printers, queues, set);
    const double one_reference = TimeToLastBytes(printers, queues, reference);
    if (i < kWarmUpRuns) continue;
    set_ms.push_back(one_set);
    reference_ms.push_back(one_reference);
  }
  return {varnok::bench::Median(set_ms), varnok::bench::Median(reference_ms)};
}

void Print(const char* what, const char* reference, const Pair& figures, const char* goal) {
  std::printf("%s\n", what);
  std::printf("  varnok-printer set -> last byte, median: %8.2f ms\n", figures.set_ms);
  std::printf("  %-18s -> last byte, median: %8.2f ms\n", reference, figures.reference_ms);
  std::printf("  ratio:                                   %8.2f (goal %s)\n",
              figures.set_ms / figures.reference_ms, goal);
}

}  // namespace

int main() try {
  std::vector<varnok::testing::VirtualQueue> queues;
  for (const std::string& name : QueueNames()) queues.push_back({name, kDriver});
  auto printers = VirtualPrinters::Start(queues);

  const std::filesystem::path folder = printers->CaptureFolder();
  const std::string config = (folder / "config.ini").string();
  const std::string file = (folder / "command.prn").string();
  std::ofstream(config, std::ios::binary) << kConfig;
  std::ofstream(file, std::ios::binary) << kCommand;

  const std::vector<std::string> all = QueueNames();
  const auto lp_one_by_one = [&](const std::vector<std::string>& targets) {
    for (const std::string& queue : targets) Run(LpCall(queue, file));
  };
  // Not a goal: 20 lp calls started together, none waiting for another.
  const auto lp_all_at_once = [&] {
    std::list<varnok::testing::RunningCommand> running;
    for (const std::string& queue : all) running.emplace_back(LpCall(queue, file));
    for (auto& call : running) {
      if (call.Wait() != 0) throw std::runtime_error("lp failed");
    }
  };
  const Pair one = Compare(*printers, {all.front()}, config, [&] { lp_one_by_one({all.front()}); });
  const Pair twenty = Compare(*printers, all, config, [&] { lp_one_by_one(all); });
  const Pair floor = Compare(*printers, all, config, lp_all_at_once);

  std::printf("runs each: %d (after %d warm-up runs); every job checked: %s\n", kRuns, kWarmUpRuns,
              "#UM>SD24\\r");
  Print("one queue: set, one call, against lp, one call", "lp -o raw", one, "<= 1.0");
  Print("20 queues: set, one call, against lp, 20 calls one after another", "20 lp -o raw", twenty,
        "<= 0.5");
  Print("20 queues: set, one call, against lp, 20 calls started together (no goal)",
        "20 lp at once", floor, "none");
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "cli_bench: %s\n", error.what());
  return 1;
}
