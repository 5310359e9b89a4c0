// What the print server's journal tells through varnok-printer: jobs through the private
// scheduler's "varnok:" queues, then state, drift and apply --converge as an administrator runs
// them.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <nlohmann/json.hpp>
#include <thread>

#include "fleet/journal.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {
namespace {

using nlohmann::json;
using testing::CommandResult;
using testing::kJobArrives;

constexpr const char* kDriver = "VARNOK K540 200DPI";
constexpr const char* kDock = "VARNOK_Dock";
constexpr const char* kConverged = "VARNOK_Converged";
constexpr const char* kPlain = "VARNOK_Plain";
// Corrections, so that the journal's values are what the printer took, not what was typed.
constexpr const char* kConfig =
    "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=0\r\nCD=2\r\nFD=-1\r\n";
constexpr const char* kProfile =
    "[settings]\ntear-off = -3\ncut-position = 5\norientation = top-to-bottom\n";

class CliJournalTest : public testing::VirtualPrinterSuite<> {
 protected:
  static void SetUpTestSuite() {
    setenv("LANG", "C.UTF-8", 1);
    folder = std::make_unique<testing::TempFolder>();
    StartPrinters({});
    for (const char* queue : {kDock, kConverged}) {
      printers->AddQueue({queue, kDriver}, "varnok:" + printers->CaptureDevice(queue));
    }
    printers->AddQueue({kPlain, kDriver});
    // The commands read the journal the scheduler's backend keeps, as they would on a print
    // server told so.
    setenv("VARNOK_JOURNAL", printers->JournalPath().c_str(), 1);
  }
  static void TearDownTestSuite() {
    StopPrinters();
    folder.reset();
  }

  static CommandResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), VARNOK_PRINTER_PROGRAM);
    return testing::RunCommand(args);
  }
  // A command that reads a profile or sends settings: with the corrections above.
  static CommandResult RunWithConfig(std::vector<std::string> args) {
    args.insert(args.end(), {"--config", folder->Write("config.ini", kConfig)});
    return Run(std::move(args));
  }

  // The queue's settings as state --json gives them.
  static json State(const char* queue) {
    const CommandResult state = Run({"state", queue, "--json"});
    EXPECT_EQ(state.exit_code, 0) << state.err;
    const json document = json::parse(state.out, nullptr, false);
    return document.is_discarded() ? json() : document["queues"][0];
  }

  // Waits until the job just sent is at the printer and journaled as ended, so that what
  // follows reads it.
  static void Journaled(const char* queue, const std::string& bytes) {
    ASSERT_EQ(printers->WaitForJob(queue, kJobArrives), bytes);
    const auto deadline = std::chrono::steady_clock::now() + kJobArrives;
    for (;;) {
      const json jobs = json::parse(Run({"history", queue, "--json"}).out, nullptr, false);
      if (!jobs.is_discarded() && !jobs["jobs"].empty() &&
          jobs["jobs"].back()["outcome"] != "printing") {
        return;
      }
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the job was never journaled";
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  static inline std::unique_ptr<testing::TempFolder> folder;
};

// Each step sends a job one way or another, then state says of two settings what the printer
// was given, or why that is unknown.
TEST_F(CliJournalTest, StateTellsTheLastValueDeliveredOrWhyItIsUnknown) {
  const std::string raw_file = folder->Write("cut.prn", "#UM>CD5\r");
  const struct {
    const char* name;
    std::function<void()> send;
    std::string bytes;
    json tear_off, cut_position;  // the value delivered, or the reason it is unknown
  } steps[] = {
      {"SetByTheCommandLine",
       [] {
         EXPECT_EQ(RunWithConfig({"set", "tear-off", "-3", kDock}).exit_code, 0);
       },
       "#UM>FD-4\r", json{{"value", "-4"}}, json{{"reason", "never-delivered"}}},
      {"PrintedByLp",
       [&] {
         testing::RunOrThrow(
             {"lp", "-h", printers->ServerSocket(), "-d", kDock, "-o", "raw", raw_file});
       },
       "#UM>CD5\r", json{{"value", "-4"}}, json{{"value", "5"}}},
      {"ResetSince",
       [] {
         EXPECT_EQ(RunWithConfig({"set", "reset-user", kDock}).exit_code, 0);
       },
       "^@\r", json{{"reason", "reset"}}, json{{"reason", "reset"}}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.send();
    Journaled(kDock, step.bytes);
    const json settings = State(kDock)["settings"];
    for (const auto& [name, told] :
         {std::pair{"tear-off", step.tear_off}, std::pair{"cut-position", step.cut_position}}) {
      for (const auto& [key, value] : told.items()) {
        EXPECT_EQ(settings[name][key], value) << name << ": " << settings[name];
      }
    }
  }
  const json plain = State(kPlain);
  EXPECT_EQ(plain["journaled"], false);
  EXPECT_TRUE(plain["settings"].is_null());
  // Another printer behind the queue: nothing delivered before is known of it.
  testing::RunOrThrow({"lpadmin", "-h", printers->ServerSocket(), "-p", kDock, "-v",
                       "varnok:" + printers->CaptureDevice(kPlain)});
  EXPECT_EQ(State(kDock)["settings"]["tear-off"]["reason"], "device-changed");
}

// A profile against the journal: what the printer lacks is sent once, nothing the second time,
// and after a change by hand only that setting.
TEST_F(CliJournalTest, ConvergeSendsOnlyWhatDiffersAndNothingTheSecondTime) {
  const std::string profile = folder->Write("site.ini", kProfile);
  const auto converge = [&] {
    const CommandResult run = RunWithConfig({"apply", "--converge", profile, kConverged, "--json"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    const json document = json::parse(run.out, nullptr, false);
    return document.is_discarded() ? json() : document["results"][0];
  };
  const auto drift = [&] { return RunWithConfig({"drift", profile, kConverged}); };

  EXPECT_EQ(RunWithConfig({"set", "orientation", "top-to-bottom", kConverged}).exit_code, 0);
  Journaled(kConverged, "#UM>DI1\r");
  EXPECT_EQ(drift().exit_code, 1);
  json first = converge();
  EXPECT_EQ(first["result"], "sent");
  EXPECT_EQ(first["changed"], true);
  Journaled(kConverged, "#UM>FD-4\r#UM>CD7\r");

  json second = converge();
  EXPECT_EQ(second["result"], "unchanged");
  EXPECT_EQ(second["changed"], false);
  EXPECT_EQ(second["settings"][0]["before"], "-4");
  EXPECT_TRUE(printers->NoJobWithin(kConverged, std::chrono::seconds(2)));
  EXPECT_EQ(drift().exit_code, 0) << drift().out;

  EXPECT_EQ(RunWithConfig({"set", "tear-off", "9", kConverged}).exit_code, 0);
  Journaled(kConverged, "#UM>FD8\r");
  const CommandResult drifted = drift();
  EXPECT_EQ(drifted.exit_code, 1);
  EXPECT_NE(drifted.out.find("tear-off"), std::string::npos) << drifted.out;
  EXPECT_EQ(drifted.out.find("cut-position"), std::string::npos) << drifted.out;
  EXPECT_EQ(converge()["result"], "sent");
  Journaled(kConverged, "#UM>FD-4\r");
}

// A label job whose backend was killed: its row never learnt how many bytes reached the printer,
// which history must not give as none.
TEST_F(CliJournalTest, InterruptedLabelJobHasNoSize) {
  const std::string path = folder->File("killed.sqlite");
  JournaledJob job;
  job.queue = kDock;
  job.device_uri = "socket://127.0.0.1:9";
  job.job_id = 99999;  // no job of the scheduler's
  job.started = std::chrono::system_clock::now();
  Journal(path, Journal::Access::Write).Begin(job);

  const CommandResult table = Run({"history", "--journal", path});
  EXPECT_NE(table.out.find("interrupted"), std::string::npos) << table.out;
  EXPECT_EQ(table.out.find("0 bytes"), std::string::npos) << table.out;
  const json jobs = json::parse(Run({"history", "--journal", path, "--json"}).out, nullptr, false);
  ASSERT_FALSE(jobs.is_discarded());
  EXPECT_TRUE(jobs["jobs"][0]["size"].is_null());
}

}  // namespace
}  // namespace varnok
