// varnok-printer set as a user runs it, a whole process from its start until the last byte is
// at the printer, against `lp -d QUEUE -o raw FILE` with the same bytes: to one queue, and to
// 20 queues in one call against 20 lp calls one after another, as a script would make them.
// Then apply of a profile of six settings to the 20 queues, against the six set calls and the
// 120 lp calls that give each queue the same settings.
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
constexpr const char* kConfig =
    "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=12\r\nCD=2\r\nFD=-1\r\n";
const std::vector<std::string> kSetting = {"vertical-reflective", "12"};
const std::string kCommand = "#UM>SD24\r";

// A site's profile: each setting with its value and the command set sends for it.
struct ProfileSetting {
  std::string name, value, command;
};
const std::vector<ProfileSetting> kProfile = {
    {"vertical-reflective", "12", "#UM>SD24\r"},
    {"cut-position", "5", "#UM>CD7\r"},
    {"tear-off", "-3", "#UM>FD-4\r"},
    {"sensor-sensitivity", "12", "#UM>DL12\r"},
    {"orientation", "bottom-to-top", "#UM>DI0\r"},
    {"self-test-language", "english", "#UM>PLE\r"},
};

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

// Runs the sends, then waits until every queue's printer has its jobs whole, in this order.
double TimeToLastBytes(VirtualPrinters& printers, const std::vector<std::string>& queues,
                       const std::function<void()>& send,
                       const std::vector<std::string>& jobs = {kCommand}) {
  const auto start = Clock::now();
  send();
  for (const std::string& queue : queues) {
    for (const std::string& job : jobs) {
      if (printers.WaitForJob(queue, std::chrono::seconds(10)) != job) {
        throw std::runtime_error("the job for " + queue + " did not arrive intact");
      }
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

// apply of the profile to the queues, against six set calls and against 6 lp calls a queue,
// alternating.
void CompareProfile(VirtualPrinters& printers, const std::vector<std::string>& queues,
                    const std::filesystem::path& folder, const std::string& config) {
  const std::string profile = (folder / "site.ini").string();
  std::ofstream profile_file(profile, std::ios::binary);
  profile_file << "[settings]\n";
  std::string job;
  std::vector<std::string> commands;
  for (const ProfileSetting& setting : kProfile) {
    profile_file << setting.name << " = " << setting.value << "\n";
    job += setting.command;
    commands.push_back(setting.command);
    std::ofstream((folder / (setting.name + ".prn")).string(), std::ios::binary) << setting.command;
  }
  profile_file.close();
  std::vector<std::string> apply_call = {VARNOK_PRINTER_PROGRAM, "apply", profile};
  apply_call.insert(apply_call.end(), queues.begin(), queues.end());
  apply_call.insert(apply_call.end(), {"--config", config});
  const auto apply = [&] { Run(apply_call); };
  const auto six_sets = [&] {
    for (const ProfileSetting& setting : kProfile) {
      std::vector<std::string> call = {VARNOK_PRINTER_PROGRAM, "set", setting.name, setting.value};
      call.insert(call.end(), queues.begin(), queues.end());
      call.insert(call.end(), {"--config", config});
      Run(call);
    }
  };
  const auto lp_calls = [&] {
    for (const ProfileSetting& setting : kProfile) {
      for (const std::string& queue : queues) {
        Run(LpCall(queue, (folder / (setting.name + ".prn")).string()));
      }
    }
  };
  std::vector<double> apply_ms;
  std::vector<double> sets_ms;
  std::vector<double> lp_ms;
  for (int i = 0; i < kWarmUpRuns + kRuns; ++i) {
    const double one_apply = TimeToLastBytes(printers, queues, apply, {job});
    const double one_sets = TimeToLastBytes(printers, queues, six_sets, commands);
    const double one_lp = TimeToLastBytes(printers, queues, lp_calls, commands);
    if (i < kWarmUpRuns) continue;
    apply_ms.push_back(one_apply);
    sets_ms.push_back(one_sets);
    lp_ms.push_back(one_lp);
  }
  const double apply_median = varnok::bench::Median(apply_ms);
  const double sets_median = varnok::bench::Median(sets_ms);
  const double lp_median = varnok::bench::Median(lp_ms);
  std::printf(
      "20 queues, a profile of 6 settings: apply, one call, against 6 set calls and "
      "120 lp calls\n");
  std::printf("  varnok-printer apply -> last byte, median: %8.2f ms\n", apply_median);
  std::printf("  6 varnok-printer set -> last byte, median: %8.2f ms\n", sets_median);
  std::printf("  120 lp -o raw        -> last byte, median: %8.2f ms\n", lp_median);
  std::printf("  ratio to the 6 set calls:                 %8.2f (goal <= 0.25)\n",
              apply_median / sets_median);
  std::printf("  ratio to the 120 lp calls:                %8.2f (no goal)\n",
              apply_median / lp_median);
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
  CompareProfile(*printers, all, folder, config);
  std::printf("load average (1 min): %s\n", varnok::bench::LoadAverage().c_str());
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "cli_bench: %s\n", error.what());
  return 1;
}
