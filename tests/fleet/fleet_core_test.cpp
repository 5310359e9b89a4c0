#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "fleet/delivered_state.h"
#include "fleet/journal.h"
#include "fleet/settings_job.h"
#include "printer_settings/apply_setting.h"
#include "printer_settings/command_protocol.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_names.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::TempFolder;

// Jobs as the printer protocol writes them, read back: the protocol's own byte vectors, and
// jobs that only look like settings.
TEST(SettingsJobTest, ReadsTheProtocolsCommandsAndNothingElse) {
  const std::string network =
      BuildNetworkCommands(std::array<std::string, 4>{"192", "168", "1", "168"},
                           std::array<std::string, 4>{"255", "255", "255", "0"},
                           std::array<std::string, 4>{"192", "168", "1", "1"}, "9100");
  const struct {
    std::string bytes;
    std::optional<std::vector<JobSetting>> read;
  } cases[] = {
      {"#UM>SD-5\r", {{{"vertical-reflective", "-5", "#UM>SD-5\r"}}}},
      {"#UM>SL500\r\n", {{{"max-print-length", "500", "#UM>SL500\r\n"}}}},
      {"#UM>CP\r", {{{"pages-per-cut", "", "#UM>CP\r"}}}},
      {"#UM>DI1\r", {{{"orientation", "top-to-bottom", "#UM>DI1\r"}}}},
      {"#UM>PLC\r", {{{"self-test-language", "chinese", "#UM>PLC\r"}}}},
      {"^@\r", {{{"reset-user", "", "^@\r"}}}},
      {network, {{{"network", "192.168.1.168 255.255.255.0 192.168.1.1 9100", network}}}},
      {"#UM>CD5\r#UM>FD-3\r#UM>DL12\r",
       {{{"cut-position", "5", "#UM>CD5\r"},
         {"tear-off", "-3", "#UM>FD-3\r"},
         {"sensor-sensitivity", "12", "#UM>DL12\r"}}}},
      // Cut short, another terminator, a command never sent alone, a word not of the printer,
      // a label, a control byte in a parameter, bytes after the last terminator.
      {"#UM>SD-5", std::nullopt},
      {"#UM>SL500\r", std::nullopt},
      {"#UM>SD-5\r\n", std::nullopt},
      {"#UM>IA192.168.1.168\r", std::nullopt},
      {"#UM>XX1\r", std::nullopt},
      {"^XA^FO50,50^FDVARNOK^FS^XZ", std::nullopt},
      {std::string("#UM>SD1\0\r", 9), std::nullopt},
      {"#UM>SD1\rx", std::nullopt},
      {"", std::nullopt},
      {"#UM>SD" + std::string(200, '1') + "\r", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadSettingsJob(c.bytes), c.read) << c.bytes;
}

// Every row of both windows' lists, the value items at both ends of their range, read back from
// the command OK makes of it: the same setting and value (the maximum print length as the
// printer takes it, 400 more), whatever the catalogue, the commands and the names hold.
TEST(SettingsJobTest, EveryItemsCommandReadsBackAsItsSettingAndValue) {
  TempFolder folder;
  // No corrections, so that a value reads back as typed.
  const std::string config = folder.Write(
      "config.ini", "[VARNOK N5 PLUS]\r\nSD=0\r\nST=0\r\nCD=0\r\nCT=0\r\nFD=0\r\nPD=0\r\nSP=0\r\n");
  for (const Language window : {Language::Chinese, Language::English}) {
    for (const SettingItem& item : SettingCatalogue(window)) {
      SCOPED_TRACE(item.text);
      const SettingName& name = NameOfItem(item.id);
      struct Typed {
        SettingInputs inputs;
        std::string read;
      };
      std::vector<Typed> typed;
      SettingInputs inputs;
      inputs.item_text = item.text;
      if (const std::optional<ValueRange> values = CommandOfItem(item.id).values) {
        const int offset = item.id == ItemId::MaxPrintLength ? kMaxPrintLengthOffset : 0;
        for (const int end : {values->min, values->max}) {
          inputs.value = std::to_string(end);
          typed.push_back({inputs, std::to_string(end + offset)});
        }
      } else if (item.input == InputPanel::Choice) {
        typed.push_back({inputs, std::string(name.choices[0])});
        inputs.option4_selected = false;
        inputs.option5_selected = true;
        typed.push_back({inputs, std::string(name.choices[1])});
      } else if (item.input == InputPanel::Network) {
        inputs.network = {"10", "0", "0", "7", "255", "255", "0", "0", "10", "0", "0", "1", "9100"};
        typed.push_back({inputs, "10.0.0.7 255.255.0.0 10.0.0.1 9100"});
      } else {
        typed.push_back({inputs, ""});
      }
      for (const Typed& t : typed) {
        testing::MessageRecorder messages;
        const ComposedSetting composed =
            ComposeSetting(WindowRules(window), t.inputs, "VARNOK N5 PLUS", config, messages);
        ASSERT_TRUE(composed.text) << t.inputs.value;
        const auto read = ReadSettingsJob(*composed.text);
        ASSERT_TRUE(read) << *composed.text;
        ASSERT_EQ(read->size(), 1u) << *composed.text;
        EXPECT_EQ(read->front().setting, name.name);
        EXPECT_EQ(read->front().value, t.read);
      }
    }
  }
}

JournaledJob SettingsJob(std::int64_t id, std::string bytes, std::string device = "socket://a") {
  JournaledJob job;
  job.queue = "VARNOK_A";
  job.device_uri = std::move(device);
  job.job_id = id;
  job.user = "anna";
  job.host = "desk-7";
  job.title = "Label";
  job.started = JournalTime(std::chrono::seconds(1'800'000'000 + id));
  job.settings = ReadSettingsJob(bytes);
  return job;
}

// Each case: jobs in the order they ran, each ended as given (Begun: not ended), and what the
// state then says of tear-off and of cut-position.
TEST(DeliveredStateTest, TheLastDeliveredValueOrWhyItIsUnknown) {
  struct Job {
    std::string bytes;
    JobOutcome outcome = JobOutcome::Delivered;
    std::string device = "socket://a";
  };
  struct Told {
    std::optional<std::string> value;
    UnknownBecause unknown = UnknownBecause::NeverDelivered;
  };
  const struct {
    const char* name;
    std::vector<Job> jobs;
    std::set<std::int64_t> printing;
    Told tear_off, cut_position;
  } cases[] = {
      {"NeverSent", {}, {}, {}, {}},
      {"Delivered", {{"#UM>FD-3\r"}}, {}, {"-3"}, {}},
      {"TheLaterJobWins", {{"#UM>FD-3\r#UM>CD5\r"}, {"#UM>FD2\r"}}, {}, {"2"}, {"5"}},
      {"TheLastCommandOfAJobWins", {{"#UM>FD1\r#UM>FD4\r"}}, {}, {"4"}, {}},
      {"AResetSince",
       {{"#UM>FD-3\r"}, {"#UM>IF\r"}},
       {},
       {std::nullopt, UnknownBecause::Reset},
       {std::nullopt, UnknownBecause::Reset}},
      {"SetAfterAReset",
       {{"#UM>CD5\r"}, {"^@\r"}, {"#UM>FD1\r"}},
       {},
       {"1"},
       {std::nullopt, UnknownBecause::Reset}},
      {"FailedLast",
       {{"#UM>FD-3\r#UM>CD5\r"}, {"#UM>FD1\r", JobOutcome::Failed}},
       {},
       {std::nullopt, UnknownBecause::Failed},
       {"5"}},
      {"InterruptedLast",
       {{"#UM>FD1\r", JobOutcome::Begun}},
       {},
       {std::nullopt, UnknownBecause::Interrupted},
       {}},
      {"StillPrinting",
       {{"#UM>FD1\r", JobOutcome::Begun}},
       {1},
       {std::nullopt, UnknownBecause::Printing},
       {}},
      {"AFailedResetTellsNothing",
       {{"#UM>FD1\r"}, {"#UM>IF\r", JobOutcome::Failed}},
       {},
       {std::nullopt, UnknownBecause::Failed},
       {std::nullopt, UnknownBecause::Failed}},
      {"AnotherPrinterBehindTheQueue",
       {{"#UM>FD1\r#UM>CD2\r", JobOutcome::Delivered, "socket://b"}, {"#UM>FD7\r"}},
       {},
       {"7"},
       {std::nullopt, UnknownBecause::DeviceChanged}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    Journal journal(folder.File("journal.sqlite"), Journal::Access::Write);
    std::int64_t id = 0;
    for (const Job& each : c.jobs) {
      const std::int64_t row = journal.Begin(SettingsJob(++id, each.bytes, each.device));
      if (each.outcome != JobOutcome::Begun) {
        journal.End(row, each.outcome, JournalTime(std::chrono::seconds(1'900'000'000)), 9,
                    "refused", 1);
      }
    }
    Journal reader(folder.File("journal.sqlite"), Journal::Access::Read);
    const std::vector<SettingState> state =
        DeliveredState(reader, "varnok_a", "socket://a", c.printing);
    for (const auto& [setting, told] :
         {std::pair{"tear-off", c.tear_off}, std::pair{"cut-position", c.cut_position}}) {
      const auto found = std::ranges::find(state, setting, &SettingState::setting);
      ASSERT_NE(found, state.end());
      EXPECT_EQ(found->delivered ? std::optional(found->delivered->value) : std::nullopt,
                told.value)
          << setting;
      if (!told.value) {
        EXPECT_EQ(found->unknown, told.unknown) << setting;
      }
    }
  }
}

// Backends that end at the same moment all get their job written; a reader meanwhile sees
// whole jobs only.
TEST(JournalTest, ManyJobsEndingAtOnceAreAllKept) {
  TempFolder folder;
  const std::string path = folder.File("journal.sqlite");
  Journal(path, Journal::Access::Write);
  constexpr int kJobs = 200;
  std::vector<std::thread> backends;
  for (int i = 1; i <= kJobs; ++i) {
    backends.emplace_back([&path, i] {
      Journal journal(path, Journal::Access::Write);
      const std::int64_t row = journal.Begin(SettingsJob(i, "#UM>FD" + std::to_string(i) + "\r"));
      journal.End(row, JobOutcome::Delivered, JournalTime(), 9, "", 0);
    });
  }
  Journal reader(path, Journal::Access::Read);
  for (int look = 0; look < 20; ++look) {
    for (const JournaledJob& job : reader.Jobs({}, std::nullopt)) {
      ASSERT_TRUE(job.settings.has_value());
      EXPECT_EQ(job.settings->size(), 1u);
    }
  }
  for (std::thread& backend : backends) backend.join();
  EXPECT_EQ(reader.Jobs({"VARNOK_A"}, std::nullopt).size(), static_cast<std::size_t>(kJobs));
}

// The first jobs through a new journal create it together: none may lose its row.
TEST(JournalTest, FirstJobsCreatingTheJournalAtOnceAreAllKept) {
  TempFolder folder;
  const std::string path = folder.File("journal.sqlite");
  constexpr int kJobs = 8;
  std::vector<std::thread> backends;
  for (int i = 1; i <= kJobs; ++i) {
    backends.emplace_back([&path, i] {
      Journal journal(path, Journal::Access::Write);
      journal.Begin(SettingsJob(i, "#UM>FD1\r"));
    });
  }
  for (std::thread& backend : backends) backend.join();
  EXPECT_EQ(Journal(path, Journal::Access::Read).Jobs({}, std::nullopt).size(),
            static_cast<std::size_t>(kJobs));
}

// Each queue keeps its newest kLabelJobsKept label jobs, whatever another queue prints, and
// every settings job however old.
TEST(JournalTest, EachQueueKeepsItsNewestLabelJobsAndEverySettingsJob) {
  TempFolder folder;
  Journal journal(folder.File("journal.sqlite"), Journal::Access::Write);
  std::int64_t id = 0;
  const auto run = [&](std::string queue, std::string bytes) {
    JournaledJob job = SettingsJob(++id, std::move(bytes));
    job.queue = std::move(queue);
    journal.End(journal.Begin(job), JobOutcome::Delivered, job.started, 9, "", 0);
  };
  const std::string label = "^XA^FDVARNOK^FS^XZ";
  run("VARNOK_A", "#UM>FD-3\r");
  run("VARNOK_B", label);
  for (std::int64_t i = 0; i < kLabelJobsKept + 2; ++i) run("VARNOK_A", label);
  run("VARNOK_A", "#UM>CD5\r");
  const std::vector<JournaledJob> jobs = journal.Jobs({"VARNOK_A"}, std::nullopt);
  const auto labels = std::ranges::count_if(
      jobs, [](const JournaledJob& job) { return !job.settings.has_value(); });
  EXPECT_EQ(labels, kLabelJobsKept);
  EXPECT_EQ(jobs.size(), static_cast<std::size_t>(kLabelJobsKept + 2));
  EXPECT_EQ(jobs.front().job_id, 1);  // the oldest settings job
  EXPECT_EQ(jobs[1].job_id, 5);       // the two oldest label jobs are gone
  EXPECT_EQ(journal.Jobs({"VARNOK_B"}, std::nullopt).size(), 1u);
}

TEST(JournalTest, AFileThatIsNoJournalSaysWhy) {
  TempFolder folder;
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // none: no file
    Journal::Access access;
    JournalProblem problem;
  } cases[] = {
      {"Missing", std::nullopt, Journal::Access::Read, JournalProblem::Missing},
      {"Text", std::string(4096, 'x'), Journal::Access::Read, JournalProblem::NotAJournal},
      {"TextWritten", std::string(4096, 'x'), Journal::Access::Write, JournalProblem::NotAJournal},
      {"Empty", std::string(), Journal::Access::Read, JournalProblem::NotAJournal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(std::string(c.name) + ".sqlite");
    if (c.bytes) folder.Write(std::string(c.name) + ".sqlite", *c.bytes);
    try {
      Journal journal(path, c.access);
      ADD_FAILURE() << "opened";
    } catch (const JournalError& error) {
      EXPECT_EQ(error.Problem(), c.problem) << error.what();
    }
  }
}

}  // namespace
}  // namespace varnok
