// The backend "varnok" as a print server runs it: jobs through the private scheduler's queues with
// "varnok:" device URIs, and the rows and outcomes they leave in the journal.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "fleet/journal.h"
#include "printer_settings/command_protocol.h"
#include "support/loopback.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::kJobArrives;

constexpr const char* kDriver = "VARNOK K540 200DPI";
constexpr const char* kCapturing = "VARNOK_Journaled";
// Nothing listens at its printer's port: the socket backend retries until the job is cancelled.
constexpr const char* kRetrying = "VARNOK_Retrying";
// As kRetrying, but the socket backend gives up after a second.
constexpr const char* kGivingUp = "VARNOK_GivingUp";
// Its printer's URI names a scheme the system has no backend for.
constexpr const char* kNoBackend = "VARNOK_NoBackend";

using Settings = std::vector<std::pair<std::string, std::string>>;

// A journal that cannot be used: the job still prints.
enum class Fault { None, FolderMissing, NotADatabase };

struct JobCase {
  const char* name;
  const char* queue;
  std::string bytes;
  Fault fault = Fault::None;
  bool cancel = false;
  JobOutcome outcome = JobOutcome::Delivered;
  // The settings itemised, by name and value; nothing for a label job.
  std::optional<Settings> settings = std::nullopt;
};

// Its name, not its bytes, in the tests' listing.
void PrintTo(const JobCase& c, std::ostream* out) { *out << c.name; }

std::string LabelBytes(std::size_t size) {
  std::string bytes;
  while (bytes.size() < size)
    bytes += "^XA^FO20,20^FDLabel " + std::to_string(bytes.size()) + "^XZ\r\n";
  bytes.resize(size);
  return bytes;
}

const std::string kSettingsJob =
    BuildSettingCommand("#UM>FD", "12") + BuildSettingCommand("#UM>DI1");
const Settings kSettings = {{"tear-off", "12"}, {"orientation", "top-to-bottom"}};

std::vector<JobCase> JobCases() {
  return {
      {.name = "SettingsJob", .queue = kCapturing, .bytes = kSettingsJob, .settings = kSettings},
      // Bigger than the part read before the job starts, and the printer's commands in it.
      {.name = "LabelJob", .queue = kCapturing, .bytes = LabelBytes(3 << 20) + kSettingsJob},
      // A settings job cut short is no settings job.
      {.name = "SettingsCutShort",
       .queue = kCapturing,
       .bytes = kSettingsJob.substr(0, kSettingsJob.size() - 1)},
      {.name = "NoConnectionCancelled",
       .queue = kRetrying,
       .bytes = kSettingsJob,
       .cancel = true,
       .outcome = JobOutcome::Begun,
       .settings = kSettings},
      {.name = "NoConnectionGivenUp",
       .queue = kGivingUp,
       .bytes = kSettingsJob,
       .outcome = JobOutcome::Failed,
       .settings = kSettings},
      {.name = "NoBackendForTheScheme",
       .queue = kNoBackend,
       .bytes = kSettingsJob,
       .outcome = JobOutcome::Failed,
       .settings = kSettings},
      {.name = "JournalFolderMissing",
       .queue = kCapturing,
       .bytes = kSettingsJob,
       .fault = Fault::FolderMissing},
      {.name = "JournalNotADatabase",
       .queue = kCapturing,
       .bytes = LabelBytes(100000),
       .fault = Fault::NotADatabase},
  };
}

// Waits for the condition, checking every 50 ms, at most the time a job may take.
template <typename Condition>
bool WaitFor(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + kJobArrives;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

class BackendJournalTest : public testing::VirtualPrinterSuite<::testing::TestWithParam<JobCase>> {
 protected:
  static void SetUpTestSuite() {
    folder = std::make_unique<testing::TempFolder>();
    fs::create_directory(JournalFolder());
    testing::SchedulerOptions options;
    options.journal = JournalPath();
    StartPrinters({}, options);
    printers->AddQueue({kCapturing, kDriver}, "varnok:" + printers->CaptureDevice(kCapturing));
    const std::string refused =
        "varnok:socket://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort());
    printers->AddQueue({kRetrying, kDriver}, refused + "/?snmp=false");
    printers->AddQueue({kGivingUp, kDriver}, refused + "/?snmp=false&contimeout=1");
    printers->AddQueue({kNoBackend, kDriver}, "varnok:nosuch://127.0.0.1/");
    // A failed job would stop the queue for the cases after it.
    for (const char* queue : {kGivingUp, kNoBackend}) {
      testing::RunOrThrow({"/usr/sbin/lpadmin", "-h", printers->ServerSocket(), "-p", queue, "-o",
                           "printer-error-policy=abort-job"});
    }
  }
  static void TearDownTestSuite() {
    StopPrinters();
    folder.reset();
  }

  static fs::path JournalFolder() { return fs::path(folder->path()) / "journal"; }
  static fs::path JournalPath() { return JournalFolder() / "journal.sqlite"; }

  // Sends the bytes as a raw job; returns its id.
  static int Send(const char* queue, const std::string& bytes) {
    const std::string file = folder->Write("job.bin", bytes);
    const CommandResult sent = testing::RunCommand(
        {"lp", "-h", printers->ServerSocket(), "-d", queue, "-o", "raw", "-t", "job", file});
    EXPECT_EQ(sent.exit_code, 0) << sent.output;
    const std::size_t dash = sent.out.find(std::string(queue) + "-");
    return dash == std::string::npos ? 0 : std::stoi(sent.out.substr(dash + strlen(queue) + 1));
  }

  // The job's row, once it is in the journal.
  static std::optional<JournaledJob> Row(const char* queue, int job_id) {
    try {
      Journal journal(JournalPath().string(), Journal::Access::Read);
      for (JournaledJob& job : journal.Jobs({queue}, std::nullopt)) {
        if (job.job_id == job_id) return std::move(job);
      }
    } catch (const JournalError&) {
      // Not made yet, or busy: asked again.
    }
    return std::nullopt;
  }

  static bool QueueIdle(const char* queue) {
    return testing::RunCommand({"lpstat", "-h", printers->ServerSocket(), "-p", queue})
               .out.find("is idle") != std::string::npos;
  }

  static inline std::unique_ptr<testing::TempFolder> folder;
};

TEST_P(BackendJournalTest, JobLeavesItsRow) {
  const JobCase& c = GetParam();
  const fs::path kept = JournalFolder().string() + ".kept";
  if (c.fault == Fault::FolderMissing) fs::rename(JournalFolder(), kept);
  if (c.fault == Fault::NotADatabase) {
    fs::rename(JournalFolder(), kept);
    fs::create_directory(JournalFolder());
    testing::WriteBytes(JournalPath().string(), LabelBytes(8192));
  }
  const std::string log_before = printers->ErrorLog();

  const int job_id = Send(c.queue, c.bytes);
  ASSERT_GT(job_id, 0);
  if (std::string_view(c.queue) == kCapturing) {
    const std::optional<std::string> printed = printers->WaitForJob(c.queue, kJobArrives);
    ASSERT_TRUE(printed.has_value());
    EXPECT_TRUE(*printed == c.bytes) << "the printer received other bytes";
  }

  if (c.fault != Fault::None) {
    // The scheduler's log says why the job has no row.
    EXPECT_TRUE(WaitFor([&] {
      return printers->ErrorLog().find("without a record in the journal", log_before.size()) !=
             std::string::npos;
    }));
    fs::remove_all(JournalFolder());
    fs::rename(kept, JournalFolder());
    EXPECT_FALSE(Row(c.queue, job_id).has_value());
    return;
  }

  std::optional<JournaledJob> row;
  if (c.cancel) {
    ASSERT_TRUE(WaitFor([&] { return (row = Row(c.queue, job_id)).has_value(); }));
    testing::RunOrThrow({"cancel", "-h", printers->ServerSocket(),
                         std::string(c.queue) + "-" + std::to_string(job_id)});
    // Idle once the backend has ended.
    ASSERT_TRUE(WaitFor([&] { return QueueIdle(c.queue); }));
    row = Row(c.queue, job_id);
  } else {
    ASSERT_TRUE(WaitFor([&] {
      row = Row(c.queue, job_id);
      return row && row->outcome != JobOutcome::Begun;
    }));
  }
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->outcome, c.outcome);
  EXPECT_FALSE(row->device_uri.empty() || row->device_uri.starts_with("varnok:"))
      << row->device_uri;
  EXPECT_EQ(row->user, getpwuid(getuid())->pw_name);
  EXPECT_EQ(row->host, "localhost");
  if (c.outcome == JobOutcome::Delivered) {
    EXPECT_EQ(row->size, static_cast<std::int64_t>(c.bytes.size()));
    EXPECT_TRUE(row->ended.has_value());
  }
  if (c.outcome == JobOutcome::Failed) {
    EXPECT_NE(row->status, 0);
    EXPECT_FALSE(row->message.empty());
  }
  std::optional<Settings> settings = std::nullopt;
  if (row->settings) {
    settings.emplace();
    for (const JobSetting& setting : *row->settings) {
      settings->emplace_back(setting.setting, setting.value);
    }
  }
  EXPECT_EQ(settings, c.settings);
}

INSTANTIATE_TEST_SUITE_P(Jobs, BackendJournalTest, ::testing::ValuesIn(JobCases()),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace varnok
