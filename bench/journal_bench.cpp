// The print server's journal as a fleet reads it: `varnok-printer state` of 200 queues over a
// journal of 1,000,000 jobs, and `apply --converge` of a 6-setting profile those 200 queues
// already hold (no job sent), each as a whole process, against the scheduler's own `lpstat -e`.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "figures.h"
#include "fleet/journal.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 11;
constexpr int kQueues = 200;
constexpr long kJobs = 1'000'000;
constexpr const char* kDriver = "VARNOK K540 200DPI";
constexpr const char* kConfig =
    "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=0\r\nCD=0\r\nFD=0\r\n";
constexpr const char* kProfile =
    "[settings]\nvertical-reflective = 12\ncut-position = 5\ntear-off = -3\n"
    "sensor-sensitivity = 12\norientation = bottom-to-top\nself-test-language = english\n";
constexpr const char* kCommands = "#UM>SD12\r#UM>CD5\r#UM>FD-3\r#UM>DL12\r#UM>DI0\r#UM>PLE\r";

double TimeRun(const std::vector<std::string>& argv, const std::string& must_not_say = {}) {
  const auto start = Clock::now();
  const varnok::testing::CommandResult result = varnok::testing::RunCommand(argv);
  const Milliseconds elapsed = Clock::now() - start;
  if (result.exit_code != 0 ||
      (!must_not_say.empty() && result.out.find(must_not_say) != std::string::npos)) {
    throw std::runtime_error(argv[1] + " failed:\n" + result.output);
  }
  return elapsed.count();
}

// Each queue's profile delivered once, then label jobs until the journal holds kJobs: copied in
// bulk, as a year of a busy site's printing would have left them.
void FillJournal(const std::string& path, const std::vector<std::string>& queues,
                 const varnok::testing::VirtualPrinters& printers) {
  using namespace varnok;
  Journal journal(path, Journal::Access::Write);
  for (const std::string& queue : queues) {
    JournaledJob job;
    job.queue = queue;
    job.device_uri = printers.DeviceUri(queue);
    job.user = "root";
    job.title = "Label";
    job.settings = ReadSettingsJob(kCommands);
    job.job_id = journal.Begin(job);
    journal.End(job.job_id, JobOutcome::Delivered, JournalTime(), 60, "", 0);
    job.settings.reset();
    job.job_id = journal.Begin(job);
    journal.End(job.job_id, JobOutcome::Delivered, JournalTime(), 4096, "", 0);
  }
  sqlite3* database = nullptr;
  sqlite3_open(path.c_str(), &database);
  const char* copy =
      "INSERT INTO jobs(queue, device_uri, job_id, user, title, host, started_ms, ended_ms, "
      "size, outcome, kind) SELECT queue, device_uri, job_id, user, title, host, started_ms, "
      "ended_ms, size, outcome, kind FROM jobs WHERE kind = 'label' LIMIT ?1";
  for (;;) {
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(database, "SELECT count(*) FROM jobs", -1, &count, nullptr);
    sqlite3_step(count);
    const long jobs = sqlite3_column_int64(count, 0);
    sqlite3_finalize(count);
    if (jobs >= kJobs) break;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(database, copy, -1, &insert, nullptr);
    sqlite3_bind_int64(insert, 1, kJobs - jobs);
    if (sqlite3_step(insert) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(database));
    sqlite3_finalize(insert);
  }
  sqlite3_close(database);
}

}  // namespace

int main() try {
  using varnok::testing::VirtualPrinters;
  const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const std::string program = (bin / "varnok-printer").string();
  varnok::testing::TempFolder folder;
  const std::string config = folder.Write("config.ini", kConfig);
  const std::string profile = folder.Write("site.ini", kProfile);
  const auto printers = VirtualPrinters::Start({});
  std::vector<std::string> queues;
  for (const varnok::testing::VirtualQueue& queue : VirtualPrinters::PrintServerQueues(kQueues)) {
    printers->AddQueue({queue.name, kDriver}, "varnok:" + printers->CaptureDevice(queue.name));
    queues.push_back(queue.name);
  }
  const std::string journal = folder.File("journal.sqlite");
  const auto filled = Clock::now();
  FillJournal(journal, queues, *printers);
  std::printf("journal of %ld jobs made in %.1f s, %.1f MiB\n", kJobs,
              std::chrono::duration<double>(Clock::now() - filled).count(),
              static_cast<double>(std::filesystem::file_size(journal)) / (1 << 20));

  std::vector<std::string> converge = {program, "apply", "--converge", profile};
  converge.insert(converge.end(), queues.begin(), queues.end());
  converge.insert(converge.end(), {"--config", config, "--journal", journal});
  const std::string load_before = varnok::bench::LoadAverage();
  std::vector<double> state, apply, lpstat;
  for (int i = 0; i < kRuns; ++i) {
    state.push_back(TimeRun({program, "state", "--journal", journal}, "changed since"));
    apply.push_back(TimeRun(converge, " sent"));
    lpstat.push_back(TimeRun({"lpstat", "-e"}));
  }
  for (const std::string& queue : queues) {
    if (!printers->NoJobWithin(queue, std::chrono::milliseconds(0))) {
      throw std::runtime_error(queue + " was sent a job");
    }
  }
  std::printf("runs each: %d; %d queues; load average (1 min): %s before, %s after\n", kRuns,
              kQueues, load_before.c_str(), varnok::bench::LoadAverage().c_str());
  std::printf("state of %d queues: %.2f ms (goal <= 200 ms)\n", kQueues,
              varnok::bench::Median(state));
  std::printf("apply --converge, nothing to send: %.2f ms (goal <= 1000 ms)\n",
              varnok::bench::Median(apply));
  std::printf("lpstat -e, for scale: %.2f ms\n", varnok::bench::Median(lpstat));
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "journal_bench: %s\n", error.what());
  return 1;
}
