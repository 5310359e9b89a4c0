// varnok-printer as a user runs it, against a private scheduler with the shipped driver files.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <thread>

#include "printer_settings/apply_setting.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/supported_models.h"
#include "spooler/cups_spooler.h"
#include "spooler/printer_access.h"
#include "support/message_recorder.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {
namespace {

using nlohmann::json;
using testing::CommandResult;
using testing::VirtualPrinters;

using testing::kJobArrives;

// The program speaks the locale's language: the tests expect English unless they ask.
void EnglishLocale() {
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", "C.UTF-8", 1);
}

class CliTest : public testing::VirtualPrinterSuite<> {
 public:
  static CommandResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), VARNOK_PRINTER_PROGRAM);
    return testing::RunCommand(args);
  }

 protected:
  static void SetUpTestSuite() {
    EnglishLocale();
    std::vector<testing::VirtualQueue> queues = VirtualPrinters::StandardQueues();
    queues.push_back({"VARNOK_Chinese", "VARNOK 标签打印机 K540"});
    StartPrinters(queues, {.driver_folder = VARNOK_DRIVER_FOLDER, .default_policy = true});
  }

  static json Json(const std::vector<std::string>& args) {
    const CommandResult result = Run(args);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    return json::parse(result.out);
  }
};

TEST_F(CliTest, ListShowsTheWindowsQueuesInTheirOrderWithWhatEachWindowMakesOfThem) {
  printers->RejectJobs("VARNOKX");
  const json list = Json({"list", "--json"});
  printers->AcceptJobs("VARNOKX");

  CupsSpooler spooler;
  std::vector<std::string> names;
  for (const json& queue : list["queues"]) names.push_back(queue["queue"]);
  EXPECT_EQ(names, ListBrandQueues(spooler).value());
  for (const json& queue : list["queues"]) {
    if (queue["queue"] == "Varnok-Office") {
      EXPECT_EQ(queue["model"], "VARNOK M-4410");
      EXPECT_TRUE(queue["supported"]);
      EXPECT_EQ(queue["english_window_model"], "VARNOK M-4410 (VRLZ)");
      EXPECT_FALSE(queue["english_window_supported"]);
    }
    EXPECT_EQ(queue["accepting_jobs"], queue["queue"] != "VARNOKX") << queue;
  }
  // For people: one line a queue (two for the "(VRLZ)" driver) under the heading, however
  // wide or odd the names are.
  const CommandResult table = Run({"list"});
  EXPECT_EQ(std::ranges::count(table.out, '\n'), static_cast<long>(names.size()) + 2);
  EXPECT_NE(table.out.find("VARNOK 标签打印机 K540"), std::string::npos) << table.out;
}

TEST_F(CliTest, DevicesShowsThePrintersWithoutAQueueVarnokFirst) {
  const json devices = Json({"devices", "--json"});
  std::vector<std::string> shown;
  bool varnok_ended = false;
  for (const json& device : devices["devices"]) {
    shown.push_back(device["uri"]);
    if (!device["varnok"]) varnok_ended = true;
    EXPECT_FALSE(device["varnok"] && varnok_ended) << "a VARNOK printer after another maker's";
  }
  std::vector<std::string> expected;
  for (const auto& device : printers->TestDevices()) {
    if (device.queue.empty()) expected.push_back(device.uri);
  }
  std::ranges::sort(shown);
  std::ranges::sort(expected);
  EXPECT_EQ(shown, expected);
}

// A new printer from the driver list to both windows' OK: the bytes arrive.
TEST_F(CliTest, AddedQueueIsListedSupportedAndTakesEachWindowsSetting) {
  const std::string device = printers->CaptureDevice("VARNOK_K540_300DPI");
  const CommandResult added = Run({"add", "--model", "varnok k540 300dpi", "--device", device});
  ASSERT_EQ(added.exit_code, 0) << added.output;
  EXPECT_NE(added.out.find("VARNOK_K540_300DPI"), std::string::npos) << added.out;

  CupsSpooler spooler;
  EXPECT_EQ(std::ranges::count(ListBrandQueues(spooler).value(), "VARNOK_K540_300DPI"), 1);
  const json list = Json({"list", "--json"});
  const auto queue = std::ranges::find(list["queues"], json("VARNOK_K540_300DPI"),
                                       [](const json& q) { return q["queue"]; });
  ASSERT_NE(queue, list["queues"].end());
  EXPECT_EQ((*queue)["driver"], "VARNOK K540 300DPI");
  EXPECT_TRUE((*queue)["supported"]);

  testing::MessageRecorder messages;
  const struct {
    Language window;
    std::string item, bytes;
  } presses[] = {{Language::Chinese, "用户级复位", "^@\r"},
                 {Language::English, "The advanced reset", "#UM>IF\r"}};
  for (const auto& press : presses) {
    SettingInputs inputs;
    inputs.queue = "VARNOK_K540_300DPI";
    inputs.item_text = press.item;
    EXPECT_EQ(ApplySetting(press.window, inputs, spooler, messages, "/nonexistent/config.ini"),
              ApplyOutcome::Sent);
    EXPECT_EQ(printers->WaitForJob("VARNOK_K540_300DPI", kJobArrives), press.bytes);
  }
}

// add --dry-run changes nothing and says what add then does, in list's words: the queue, its
// model and device URI, and whether it existed (what the Ansible collection compares).
TEST_F(CliTest, AddDryRunSaysWhatAddDoesAndChangesNothing) {
  const std::string device = printers->CaptureDevice("VARNOK_DryRun");
  const auto add = [&device](std::string_view model, bool dry_run) {
    std::vector<std::string> words = {
        "add",          "VARNOK_DryRun", "--model", std::string(model), "--device", device,
        "--no-journal", "--replace",     "--json"};
    if (dry_run) words.emplace_back("--dry-run");
    return Json(words);
  };
  const auto listed = [] {
    const json list = Json({"list", "--json"});
    const auto queue = std::ranges::find(list["queues"], json("VARNOK_DryRun"),
                                         [](const json& q) { return q["queue"]; });
    return queue == list["queues"].end() ? json() : *queue;
  };

  json would = add("varnok k540 200dpi", true);
  EXPECT_TRUE(listed().is_null());
  EXPECT_EQ(would["existed"], false);
  const json did = add("varnok k540 200dpi", false);
  would["dry_run"] = false;
  EXPECT_EQ(did, would);
  const json queue = listed();
  EXPECT_EQ(queue["model"], did["model"]);
  EXPECT_EQ(queue["device_uri"], did["device_uri"]);

  const json replacing = add("VARNOK L410", true);
  EXPECT_EQ(replacing["existed"], true);
  EXPECT_EQ(replacing["model"], "VARNOK L410");
  EXPECT_EQ(listed(), queue);
}

// The backend begins the journal with the first job it passes: before that, converge (a print
// server's first run) knows nothing delivered and would send every setting, saying why.
TEST_F(CliTest, ConvergeBeforeAnyJournaledJobSendsEverySetting) {
  testing::TempFolder folder;
  const std::string profile =
      folder.Write("site.ini", "[settings]\ncut-position = 5\ntear-off = -3\n");
  const CommandResult result =
      Run({"apply", "--converge", profile, "VARNOK_K540_200DPI", "--journal",
           folder.File("journal.sqlite"), "--dry-run", "--json"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.err.find("no job has gone through the journal"), std::string::npos);
  const json queue = json::parse(result.out)["results"][0];
  EXPECT_EQ(queue["result"], "would-send");
  EXPECT_EQ(queue["changed"], true);
  ASSERT_EQ(queue["settings"].size(), 2u);
  for (const json& setting : queue["settings"]) {
    EXPECT_EQ(setting["before_state"], "unknown");
    EXPECT_EQ(setting["send"], true);
  }
}

// Every model's driver file makes a queue that reports exactly that model, which both windows
// accept.
TEST_F(CliTest, EveryDriverFileMakesAQueueOfItsModel) {
  const CommandResult drivers =
      testing::RunCommand({"lpinfo", "-h", printers->ServerSocket(), "-m"});
  std::size_t listed = 0;
  for (std::size_t at = 0; (at = drivers.out.find("varnok-utility/", at)) != std::string::npos;) {
    ++listed;
    ++at;
  }
  EXPECT_EQ(listed, SupportedModels().size()) << drivers.output;

  const std::string device = printers->TestDevices().front().uri;  // takes jobs, prints none
  CupsSpooler spooler;
  testing::MessageRecorder messages;
  for (const std::string_view model : SupportedModels()) {
    const std::string queue = "VARNOK_Model_" + DriverFileName(model).substr(0, 20);
    const std::string name = queue.substr(0, queue.find('.'));
    const CommandResult added =
        Run({"add", name, "--model", std::string(model), "--device", device});
    ASSERT_EQ(added.exit_code, 0) << model << ": " << added.output;
    EXPECT_EQ(spooler.DescribeQueue(name).value().make_and_model, std::string(model));
    for (const Language window : {Language::Chinese, Language::English}) {
      const SettingItem& item = SettingCatalogue(window).front();  // a model-tested item
      SettingInputs inputs;
      inputs.queue = name;
      inputs.item_text = std::string(item.text);
      inputs.value = "0";
      const OkRules rules = WindowRules(window);
      EXPECT_TRUE(PrepareSetting(rules, inputs, spooler, messages, VARNOK_SHIPPED_CONFIG).text)
          << model;
    }
  }
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
}

// Nothing changes on the scheduler when add is refused.
TEST_F(CliTest, RefusedAddsLeaveTheSchedulerAsItWas) {
  const struct {
    std::vector<std::string> args;
    int exit_code;
    std::string_view says;
    bool as_nobody = false;
  } cases[] = {
      {{"add", "--model", "VARNOK K541", "--address", "127.0.0.1"}, 2, "\"VARNOK K540"},
      {{"add", "Office_K540", "--model", "VARNOK K540 200DPI", "--address", "127.0.0.1"},
       2,
       "does not begin with"},
      {{"add", "VARNOK Bad", "--model", "VARNOK K540 200DPI", "--address", "127.0.0.1"},
       2,
       "cannot name a print queue"},
      {{"add", "VARNOK_k540_200dpi", "--model", "VARNOK K540 200DPI", "--address", "127.0.0.1"},
       2,
       "exists already"},
      {{"add", "--model", "VARNOK L410", "--address", "127.0.0.1"}, 1, "lpadmin", true},
      {{"devices"}, 1, "Forbidden\"): only root and members of the group lpadmin", true},
      {{"add", "--model", "VARNOK L410"}, 2, "Exactly 1 option from [--device,--address]"},
      {{"add", "--model", "VARNOK L410", "--device", "x", "--address", "y"}, 2, "2 were given"},
      {{"add", "--model", "VARNOK L410", "--device", "no uri"}, 2, "not a device URI"},
      {{"frob"}, 2, "unknown command \"frob\""},
      {{"--lang", "en", "-h", "list", "frob"}, 2, "unknown command \"frob\""},
      {{"--lang", "en"}, 2, "no command given; the commands are list, models,"},
      {{"list", "--frob"}, 2, "--frob"},
      {{"models", "K540"}, 2, "K540"},
      {{"-h", "/nonexistent/cups.sock", "list", "--names"},
       1,
       "varnok-printer: cannot reach the print system at /nonexistent/cups.sock: it is not "
       "running"},
      {{"devices", "--timeout", "0"}, 2, "--timeout"},
  };
  // A tree checked out in a folder only root may enter is out of another user's reach.
  const bool nobody_reaches_program =
      testing::RunCommandAs("nobody", {"test", "-r", VARNOK_PRINTER_PROGRAM}).exit_code == 0;
  const std::vector<std::string> before = printers->QueueNames();
  for (const auto& c : cases) {
    if (c.as_nobody && !nobody_reaches_program) continue;
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), VARNOK_PRINTER_PROGRAM);
    const CommandResult result =
        c.as_nobody ? testing::RunCommandAs("nobody", args) : testing::RunCommand(args);
    EXPECT_EQ(result.exit_code, c.exit_code) << args[1] << ": " << result.output;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(std::ranges::count(result.err, '\n'), 1) << "one line: " << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
  }
  EXPECT_EQ(printers->QueueNames(), before);
}

// Bash's completion of what was typed: the completion file's function, given the words as bash
// splits them (at blanks outside quotes, and at ":"), the last one being completed.
std::vector<std::string> Completions(const std::string& line,
                                     const std::vector<std::string>& words) {
  constexpr char kScript[] =
      "export PATH=\"$1:$PATH\"\n"
      "source /usr/share/bash-completion/bash_completion\n"
      "source \"$2\"\n"
      "COMP_LINE=$3\n"
      "COMP_POINT=${#3}\n"
      "shift 3\n"
      "COMP_WORDS=(\"$@\")\n"
      "COMP_CWORD=$(($# - 1))\n"
      "_varnok_printer varnok-printer \"${COMP_WORDS[COMP_CWORD]}\" "
      "\"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
      "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
  std::vector<std::string> args = {
      "bash",
      "-c",
      kScript,
      "bash",
      std::filesystem::path(VARNOK_PRINTER_PROGRAM).parent_path().string(),
      VARNOK_COMPLETION_FILE,
      line};
  args.insert(args.end(), words.begin(), words.end());
  const CommandResult result = testing::RunCommand(args);
  EXPECT_EQ(result.exit_code, 0) << result.output;
  std::vector<std::string> replies;
  std::istringstream lines(result.out);
  for (std::string reply; std::getline(lines, reply);) {
    if (!reply.empty()) replies.push_back(reply);
  }
  std::ranges::sort(replies);
  return replies;
}

TEST_F(CliTest, BashCompletesWhatEachPlaceTakes) {
  using Words = std::vector<std::string>;
  const testing::TempFolder folder;
  const std::string profile = folder.Write("site.ini", "[settings]\n");
  const struct {
    std::string line;
    Words words;
    Words replies;
  } cases[] = {
      // Inside an open quote a model comes as it is: readline closes the quote.
      {"varnok-printer add --model \"VARNOK K540 200D",
       {"varnok-printer", "add", "--model", "\"VARNOK K540 200D"},
       {"VARNOK K540 200DPI"}},
      {"varnok-printer add --model VARNOK\\ K540\\ 200D",
       {"varnok-printer", "add", "--model", "VARNOK\\ K540\\ 200D"},
       {"VARNOK\\ K540\\ 200DPI"}},
      {"varnok-printer add --model varnok\\ n5\\ p",
       {"varnok-printer", "add", "--model", "varnok\\ n5\\ p"},
       {"VARNOK\\ N5\\ PLUS"}},
      {"varnok-printer -h localhost:631 l",
       {"varnok-printer", "-h", "localhost", ":", "631", "l"},
       {"list"}},
      {"varnok-printer devices --d", {"varnok-printer", "devices", "--d"}, {}},
      {"varnok-printer devices --t", {"varnok-printer", "devices", "--t"}, {"--timeout"}},
      {"varnok-printer add --d", {"varnok-printer", "add", "--d"}, {"--device", "--dry-run"}},
      {"varnok-printer --l", {"varnok-printer", "--l"}, {"--lang"}},
      {"varnok-printer set vertical-reflective ",
       {"varnok-printer", "set", "vertical-reflective", ""},
       {}},
      {"varnok-printer set orientation ",
       {"varnok-printer", "set", "orientation", ""},
       {"bottom-to-top", "top-to-bottom"}},
      {"varnok-printer set reset-user VARNOK_K",
       {"varnok-printer", "set", "reset-user", "VARNOK_K"},
       {"VARNOK_K540_200DPI"}},
      {"varnok-printer set max-print-length 12 VARNOK_K",
       {"varnok-printer", "set", "max-print-length", "12", "VARNOK_K"},
       {"VARNOK_K540_200DPI"}},
      {"varnok-printer apply --config c.ini --dry-run " + folder.File("si"),
       {"varnok-printer", "apply", "--config", "c.ini", "--dry-run", folder.File("si")},
       {profile}},
      {"varnok-printer apply site.ini --json VARNOK_K",
       {"varnok-printer", "apply", "site.ini", "--json", "VARNOK_K"},
       {"VARNOK_K540_200DPI"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Completions(c.line, c.words), c.replies) << c.line;
}

// Where a new user starts: a print system without any queue.
class EmptyServerTest : public testing::VirtualPrinterSuite<> {
 protected:
  static void SetUpTestSuite() {
    EnglishLocale();
    StartPrinters({});
  }
};

TEST_F(EmptyServerTest, ListIsEmptyAndDevicesShowsWhatTheSchedulerSees) {
  const struct {
    std::vector<std::string> args;
    std::string_view out;
  } cases[] = {
      {{"list"}, ""},
      {{"list", "--names"}, ""},
      {{"list", "--json"}, "{\n  \"queues\": []\n}\n"},
  };
  for (const auto& c : cases) {
    const CommandResult result = CliTest::Run(c.args);
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_EQ(result.output, c.out);
  }
  const CommandResult devices = CliTest::Run({"devices", "--json"});
  ASSERT_EQ(devices.exit_code, 0) << devices.output;
  std::vector<std::string> shown;
  const json listed = json::parse(devices.out);
  for (const json& device : listed["devices"]) shown.push_back(device["uri"]);
  std::vector<std::string> expected;
  for (const auto& device : printers->TestDevices()) expected.push_back(device.uri);
  std::ranges::sort(shown);
  std::ranges::sort(expected);
  EXPECT_EQ(shown, expected);
}

// The windows' queue list: cupsd answers "not found" when it has no queue, which is no failure.
TEST_F(EmptyServerTest, WindowsQueueListIsEmptyRatherThanFailed) {
  CupsSpooler spooler;
  const QueueList list = ListBrandQueues(spooler);
  ASSERT_TRUE(list) << list.failure().reason;
  EXPECT_TRUE(list->empty());
}

constexpr char kK540[] = "VARNOK_K540_200DPI";  // supported; corrections in kConfig
constexpr char kN5Plus[] = "VARNOKX";           // "Varnok N5 Plus", supported
constexpr char kUnsupported[] = "VARNOK_Z9";    // a model no version supports
constexpr char kConfig[] = "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=12\r\n";
constexpr std::chrono::milliseconds kNoJob{1000};

class SetAndSendTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    config_ = folder_.Write("config.ini", kConfig);
  }
  // Whether the scheduler makes a job for the queue beyond the jobs_before it had, in good time:
  // the command sending to it has come as far as the file's bytes.
  static bool JobStarted(std::string_view queue, std::size_t jobs_before) {
    const auto deadline = std::chrono::steady_clock::now() + kJobArrives;
    while (printers->JobTitles(queue).size() == jobs_before) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }
  testing::TempFolder folder_;
  std::string config_;
};

// One call, several queues: the good one gets its bytes, every queue its line.
TEST_F(SetAndSendTest, SetGoesOnPastQueuesThatFailAndSaysWhyForEach) {
  printers->RejectJobs(kN5Plus);
  const CommandResult result = Run({"set", "vertical-reflective", "-5", kK540, kUnsupported,
                                    kN5Plus, "--config", config_, "--json"});
  printers->AcceptJobs(kN5Plus);
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives), "#UM>SD7\r");
  const json document = json::parse(result.out);
  const json& lines = document["results"];
  ASSERT_EQ(lines.size(), 3U) << result.out;
  EXPECT_EQ(lines[0]["result"], "sent");
  EXPECT_EQ(lines[0]["command"], "#UM>SD7\r");
  EXPECT_EQ(lines[0]["command_bytes"], "23 55 4D 3E 53 44 37 0D");
  EXPECT_EQ(lines[1]["model"], "VARNOK Z9 PROTOTYPE");
  EXPECT_EQ(lines[1]["command"], nullptr);
  // No correction for the N5 Plus in the file: refused before sending, like the unsupported one.
  for (const int i : {1, 2}) {
    EXPECT_EQ(lines[i]["result"], "not-sent") << lines[i];
    EXPECT_FALSE(lines[i]["reason"].get<std::string>().empty()) << lines[i];
  }
  EXPECT_EQ(document["notice"],
            "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!");
  for (const char* queue : {kUnsupported, kN5Plus}) {
    EXPECT_TRUE(printers->NoJobWithin(queue, std::chrono::milliseconds(100)));
  }

  // The reset needs no correction: the queue refusing jobs says so in its line.
  printers->RejectJobs(kN5Plus);
  const CommandResult refused = Run({"set", "reset-user", kN5Plus});
  printers->AcceptJobs(kN5Plus);
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.out.find("not sent: the print system at " + printers->ServerSocket() +
                             " did not take the job: "),
            std::string::npos)
      << refused.out;
  EXPECT_NE(refused.out.find("not accepting jobs"), std::string::npos) << refused.out;
}

// --server counts for every queue of a call, however many are spoken to at once.
TEST_F(SetAndSendTest, SetSendsEveryQueueToTheServerGiven) {
  const CommandResult result = testing::RunCommand(
      {"env", "CUPS_SERVER=/nonexistent/cups.sock", VARNOK_PRINTER_PROGRAM, "--server",
       printers->ServerSocket(), "set", "reset-user", kK540, kN5Plus, "Varnok-Office"});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  for (const char* queue : {kK540, kN5Plus, "Varnok-Office"}) {
    EXPECT_EQ(printers->WaitForJob(queue, kJobArrives), "^@\r") << queue;
  }
}

TEST_F(SetAndSendTest, DryRunShowsTheCommandsAndSendsNothing) {
  const CommandResult result =
      Run({"set", "orientation", "top-to-bottom", kK540, kN5Plus, "--dry-run"});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  EXPECT_NE(result.out.find("#UM>DI1\\r"), std::string::npos) << result.out;

  // What the real run would do: a queue that takes no jobs would not get the setting.
  printers->RejectJobs(kN5Plus);
  const CommandResult refusing = Run({"set", "reset-user", kK540, kN5Plus, "--dry-run", "--json"});
  printers->AcceptJobs(kN5Plus);
  EXPECT_EQ(refusing.exit_code, 1) << refusing.output;
  const json lines = json::parse(refusing.out)["results"];
  ASSERT_EQ(lines.size(), 2U) << refusing.out;
  EXPECT_EQ(lines[0]["result"], "would-send");
  EXPECT_EQ(lines[1]["result"], "would-not-send");
  EXPECT_EQ(lines[1]["command"], "^@\r");
  EXPECT_NE(lines[1]["reason"].get<std::string>().find("does not accept jobs"), std::string::npos)
      << lines[1];
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
  EXPECT_TRUE(printers->NoJobWithin(kN5Plus, std::chrono::milliseconds(1)));
}

TEST_F(SetAndSendTest, SendDeliversEveryByteToEachQueueTitledWithTheFileName) {
  std::string bytes;
  for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  const std::string file = folder_.Write("all-bytes.prn", bytes);
  const CommandResult result = Run({"send", file, kK540, kN5Plus});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  for (const char* queue : {kK540, kN5Plus}) {
    EXPECT_EQ(printers->WaitForJob(queue, kJobArrives), bytes);
    EXPECT_EQ(printers->JobTitles(queue).back(), "all-bytes.prn");
  }
}

// Ctrl+C while the file streams to the scheduler: that job is cancelled, nothing is printed.
TEST_F(SetAndSendTest, InterruptedSendLeavesNothingAtThePrinter) {
  const std::string file = folder_.File("large.prn");
  std::filesystem::resize_file(folder_.Write("large.prn", "x"), 256 << 20);
  const std::size_t jobs_before = printers->JobTitles(kK540).size();
  testing::RunningCommand send({VARNOK_PRINTER_PROGRAM, "send", file, kK540, kN5Plus});
  ASSERT_TRUE(JobStarted(kK540, jobs_before)) << "the send did not begin";
  // Held mid-stream: the scheduler reads no more until the interrupt has been given.
  printers->FreezeScheduler();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  send.Signal(SIGINT);
  printers->ThawScheduler();
  EXPECT_EQ(send.Wait(), 130);
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
  EXPECT_TRUE(printers->NoJobWithin(kN5Plus, std::chrono::milliseconds(1)));
}

// A print system that stops answering in the middle of a send: the queues after it are not
// tried, so the command ends after one wait instead of one a queue.
TEST_F(SetAndSendTest, SendTriesNoMoreQueuesOnceThePrintSystemIsSilent) {
  const std::string file = folder_.File("large.prn");
  std::filesystem::resize_file(folder_.Write("large.prn", "x"), 256 << 20);
  const std::string results = folder_.File("results.json");
  const std::size_t jobs_before = printers->JobTitles(kK540).size();
  testing::RunningCommand send(
      {"sh", "-c", "exec \"$0\" send \"$1\" \"$2\" \"$3\" \"$4\" --json >\"$5\"",
       VARNOK_PRINTER_PROGRAM, file, kK540, kN5Plus, "Varnok-Office", results});
  ASSERT_TRUE(JobStarted(kK540, jobs_before)) << "the send did not begin";
  printers->FreezeScheduler();
  const int exit_code = send.Wait();
  printers->ThawScheduler();
  EXPECT_EQ(exit_code, 1);
  std::ifstream stream(results);
  const json lines = json::parse(stream)["results"];
  ASSERT_EQ(lines.size(), 3U) << lines;
  EXPECT_EQ(lines[0]["result"], "not-sent");
  EXPECT_NE(lines[0]["reason"].get<std::string>().find("did not answer"), std::string::npos)
      << lines[0];
  for (const int i : {1, 2}) {
    EXPECT_EQ(lines[i]["result"], "not-tried") << lines[i];
    EXPECT_NE(lines[i]["reason"].get<std::string>().find("stopped answering"), std::string::npos)
        << lines[i];
  }
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
  EXPECT_TRUE(printers->NoJobWithin(kN5Plus, std::chrono::milliseconds(1)));
}

// What an administrator types, against what the program answers and what reaches the printers:
// a typo never reaches one, each queue is sent to once, ranges hold, one language a run.
TEST_F(SetAndSendTest, CommandLinesOfAnAdministrator) {
  const std::string label = folder_.Write("label.prn", "^XA^XZ");
  const std::string k540_device = printers->DeviceUri(kK540);
  const struct {
    std::vector<std::string> locale;  // the environment's language variables
    std::vector<std::string> args;
    int exit_code;
    std::vector<std::string> says;                          // each in the output
    std::vector<std::pair<std::string, std::string>> jobs;  // queue and bytes, in this order
  } cases[] = {
      {{}, {"set", "reset-user", "extra", kK540}, 2, {"has no queue extra;"}, {}},
      {{}, {"set", "reset-user", "VARNOK_A", "extra", kK540}, 2, {"VARNOK_A, extra"}, {}},
      {{}, {"set", "reset-user", kK540, "varnok_k540_200dpi", kK540}, 0, {}, {{kK540, "^@\r"}}},
      {{}, {"send", label, kN5Plus, "varnokx", "VarnokX"}, 0, {}, {{kN5Plus, "^XA^XZ"}}},
      {{}, {"set", "vertical-reflective", "100", kK540}, 2, {"from -99 to 99"}, {}},
      {{}, {"set", "pages-per-cut", "0", kK540}, 2, {"from 1 to 50"}, {}},
      {{}, {"set", "max-print-length", "99999", kK540}, 2, {"from 0 to 9999"}, {}},
      {{}, {"set", "tear-off", "2.9", kK540}, 2, {"\"2.9\" is not a whole number"}, {}},
      {{}, {"set", "blade-stop", "-21", kK540}, 2, {"from -20 to 20"}, {}},
      {{}, {"set", "pages-per-cut", "050", kK540}, 0, {"sent"}, {{kK540, "#UM>CP050\r"}}},
      {{}, {"set", "max-print-length", "9999", kK540}, 0, {}, {{kK540, "#UM>SL10399\r\n"}}},
      {{"LANG=zh_CN.UTF-8"}, {"list"}, 0, {"队列", "接受作业", "是"}, {}},
      {{"LANG=zh_CN.UTF-8"}, {"list", "--lang", "en"}, 0, {"QUEUE", "ACCEPTS JOBS"}, {}},
      {{"LANG=zh_CN.UTF-8", "LC_ALL=C"}, {"list"}, 0, {"QUEUE"}, {}},
      {{"LC_MESSAGES=zh_CN.UTF-8"},
       {"set", "reset-user", kK540, "--dry-run"},
       0,
       {"结果", "将发送"},
       {}},
      {{}, {"--lang", "zh", "set", "reset-user", "nosuch"}, 2, {"没有队列 nosuch"}, {}},
      {{"LANG=zh_CN.UTF-8"}, {"send", label, kK540}, 0, {"已发送"}, {{kK540, "^XA^XZ"}}},
      {{},
       {"add", "Varnok_K540_200dpi", "--model", "varnok k540 200dpi", "--device", k540_device,
        "--replace"},
       0,
       {"Replaced the queue VARNOK_K540_200DPI: it is now for the VARNOK K540 200DPI"},
       {}},
      {{},
       {"-h", "127.0.0.1:1", "list"},
       1,
       {"varnok-printer: cannot reach the print system at 127.0.0.1:1: it is not running"},
       {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"env"};
    args.insert(args.end(), c.locale.begin(), c.locale.end());
    args.push_back(VARNOK_PRINTER_PROGRAM);
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::map<std::string, std::size_t> jobs_before;
    for (const std::string& queue : printers->QueueNames()) {
      jobs_before[queue] = printers->JobTitles(queue).size();
    }
    const CommandResult result = testing::RunCommand(args);
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
    for (const std::string& part : c.says) {
      EXPECT_NE(result.output.find(part), std::string::npos) << part << " in:\n" << result.output;
    }
    for (const auto& [queue, count] : jobs_before) {
      const auto expected =
          std::ranges::count(c.jobs, queue, &std::pair<std::string, std::string>::first);
      EXPECT_EQ(printers->JobTitles(queue).size() - count, static_cast<std::size_t>(expected))
          << queue;
    }
    for (const auto& [queue, bytes] : c.jobs) {
      EXPECT_EQ(printers->WaitForJob(queue, kJobArrives), bytes) << queue;
    }
  }
}

// Scripts join list's models to models's: both spell a model the same way.
TEST_F(CliTest, ModelsAreSpeltAsListSpellsThem) {
  const json models = Json({"models", "--json"});
  std::set<std::string> spelt;
  for (const json& model : models["models"]) spelt.insert(model["model"]);
  EXPECT_TRUE(spelt.contains("VARNOK N5 PLUS"));
  const json list = Json({"list", "--json"});
  std::size_t joined = 0;
  for (const json& queue : list["queues"]) {
    if (!queue["supported"]) continue;
    EXPECT_TRUE(spelt.contains(queue["model"])) << queue;
    ++joined;
  }
  EXPECT_GE(joined, 3U);
}

TEST_F(SetAndSendTest, BadInputIsRefusedBeforeAnythingIsSent) {
  // Far larger than a settings file may be; sparse, so it takes no room.
  const std::string huge = folder_.Write("huge.ini", kConfig);
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
  const std::string empty = folder_.Write("empty.prn", "");
  const struct {
    std::vector<std::string> args;
    std::string_view says;
  } cases[] = {
      {{"set", "vertical-reflectiv", "5", kK540}, "is no setting"},
      {{"set", "vertical-reflective", "5mm", kK540}, "not a whole number"},
      {{"set", "tear-off", "-", kK540}, "not a whole number"},
      {{"set", "orientation", "sideways", kK540}, "no choice"},
      {{"set", "network", "--address", "192.168.1.256", "--mask", "255.255.255.0", "--gateway",
        "192.168.1.1", kK540},
       "0 to 255"},
      {{"set", "network", "--address", "192.168.1.20", "--mask", "255.255.255.0", kK540},
       "--gateway"},
      {{"set", "network", "--address", "1.2.3.4", "--mask", "255.0.0.0", "--gateway", "1.2.3.1",
        "--port", "91OO", kK540},
       "port"},
      {{"set", "reset-user", "--address", "1.2.3.4", kK540}, "network only"},
      {{"set", "reset-advanced"}, "no queue"},
      {{"set", "cut-position", "3"}, "no queue"},
      {{"set", "cut-position", "3", kK540, "--config", "/nonexistent/config.ini"}, "settings file"},
      {{"set", "cut-position", "3", kK540, "--config", huge}, "settings file"},
      {{"set", "cut-position", "3", kK540, "--lang", "fr"}, "--lang"},
      {{"send", "/nonexistent/label.prn", kK540}, "no such file"},
      {{"send", empty, kK540}, "is empty"},
      {{"send", "/dev/zero", kK540}, "not an ordinary file"},
      {{"send", "/tmp", kK540}, "folder"},
      {{"send", "/etc/hostname"}, "QUEUE is required"},
  };
  for (const auto& c : cases) {
    const CommandResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 2) << c.args[1] << ": " << result.output;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(std::ranges::count(result.err, '\n'), 1) << "one line: " << result.err;
  }
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
}

// Corrections for every relative setting of the K540, and two of the M-4410's.
constexpr char kApplyConfig[] =
    "[VARNOK K540 200DPI]\r\nSD=12\r\nST=1\r\nCD=2\r\nCT=0\r\nFD=-1\r\nPD=3\r\n"
    "[VARNOK M-4410]\r\nCD=0\r\nFD=0\r\n";
constexpr char kOffice[] = "Varnok-Office";  // "VARNOK M-4410 (VRLZ)"

class ApplyTest : public SetAndSendTest {
 protected:
  void SetUp() override {
    SetAndSendTest::SetUp();
    config_ = folder_.Write("config.ini", kApplyConfig);
  }
  CommandResult Apply(std::string_view profile, std::vector<std::string> args) {
    args.insert(args.begin(), {"apply", folder_.Write("site.ini", profile)});
    args.insert(args.end(), {"--config", config_});
    return Run(args);
  }
  static std::map<std::string, std::size_t> JobCounts() {
    std::map<std::string, std::size_t> counts;
    for (const std::string& queue : printers->QueueNames()) {
      counts[queue] = printers->JobTitles(queue).size();
    }
    return counts;
  }
};

// The template with the "; " taken from every setting of [settings] that shows a value.
std::string Uncommented(const std::string& profile_template) {
  std::istringstream lines(profile_template);
  std::string profile;
  bool settings = true;
  for (std::string line; std::getline(lines, line);) {
    settings = settings && line != "[network]";
    const bool value = line.starts_with("; ") && line.find(' ', 2) == line.find(" = ") &&
                       line.find(" = ") != std::string::npos;
    profile += (settings && value ? line.substr(2) : line) + "\n";
  }
  return profile;
}

TEST_F(ApplyTest, FaultyProfilesAreRefusedWithTheirLineAndNothingIsSent) {
  const struct {
    std::string_view profile;
    std::string_view says;
    std::vector<std::string> queues = {kK540};
  } cases[] = {
      {"[settings]\ncut-position = 5\ncut-postion = 5\n",
       "site.ini:3: \"cut-postion\" is no setting"},
      {"[settings]\ncut-position = 5\ntear-off = 100\n", "site.ini:3: 100 is out of range"},
      {"[settings]\ntear-off = 2.5\n", "site.ini:2: \"2.5\" is not a whole number"},
      {"[settings]\ncut-position = 5\n切刀切断位置调整 = 4\n",
       "site.ini:3: cut-position is given twice (first at line 2)"},
      {"[settings]\nreset-advanced =\n", "'varnok-printer set reset-advanced QUEUE…' does it"},
      {"[settings]\norientation = sideways\n", "site.ini:2: \"sideways\" is no choice"},
      {"; only comments\n# and more\n[settings]\n", "holds no setting"},
      {"[settings]\n\xC7\xD0\xB5\xB6 = 5\n", "site.ini:2: the line is not UTF-8 text"},
      {"[printers]\n", "site.ini:1: [printers] is no section"},
      {"cut-position = 5\n", "site.ini:1: cut-position stands before any section"},
      {"[settings]\ncut-position 5\n", "site.ini:2: \"cut-position 5\" is no setting"},
      {"[network]\naddress = 10.0.0.5\nmask = 255.0.0.0\ngateway = 10.0.0.1\n",
       "site.ini:1: [network] gives one address, and 2 queues are named",
       {kK540, kOffice, "varnok_k540_200dpi"}},
      {"[network]\naddress = 10.0.0.5\nmask = 255.0.0.0\n", "site.ini:1: network needs gateway ="},
      {"[network]\naddress = 10.0.0.5\nport = 91OO\n", "site.ini:3: port \"91OO\" is not a port"},
  };
  const std::map<std::string, std::size_t> before = JobCounts();
  for (const auto& c : cases) {
    const CommandResult result = Apply(c.profile, c.queues);
    EXPECT_EQ(result.exit_code, 2) << c.profile << result.output;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << c.says << " in:\n" << result.err;
    EXPECT_EQ(std::ranges::count(result.err, '\n'), 1) << "one line: " << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
  }
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
  EXPECT_EQ(JobCounts(), before);
}

// What a profile puts at each printer: one job "Label" a queue, each setting's command as set
// makes it (the model's correction added), in the file's order.
TEST_F(ApplyTest, GoodProfilesPutTheirCommandsAtEachPrinterInOneJob) {
  const CommandResult made = Run({"--lang", "zh", "apply", "--template"});
  ASSERT_EQ(made.exit_code, 0) << made.output;
  const std::string from_template = Uncommented(made.out);
  const struct {
    std::string profile;
    std::vector<std::string> args;
    std::map<std::string, std::optional<std::string>> arrives;
  } cases[] = {
      {"; the site's printers\n[settings]\ntear-off = -3\ncut-position = 5\n"
       "orientation = bottom-to-top\n",
       {kK540, kOffice},
       {{kK540, "#UM>FD-4\r#UM>CD7\r#UM>DI0\r"}, {kOffice, "#UM>FD-3\r#UM>CD5\r#UM>DI0\r"}}},
      // A byte-order mark, CR LF, "#" comments, any letter case, and both windows' texts.
      {"\xEF\xBB\xBF# site\r\n[Settings]\r\n探测器灵敏度设定 = 12\r\n"
       "Set the printing orientations = Top-To-Bottom\r\nMAX-PRINT-LENGTH=100\r\n"
       "pages-per-cut = 050\r\n",
       {kK540},
       {{kK540, "#UM>DL12\r#UM>DI1\r#UM>SL500\r\n#UM>CP050\r"}}},
      // The network card's four commands stand where its section does.
      {"[network]\naddress = 10.0.0.5\nmask = 255.0.0.0\ngateway = 10.0.0.1\n"
       "[settings]\nsensor-sensitivity = 12\n",
       {kK540, "varnok_k540_200dpi"},
       {{kK540, "#UM>IA10.0.0.5\r#UM>MK255.0.0.0\r#UM>GT10.0.0.1\r#UM>NP9100\r#UM>DL12\r"}}},
      {from_template,
       {kK540},
       {{kK540,
         "#UM>SD12\r#UM>ST1\r#UM>CD2\r#UM>CP1\r#UM>CT0\r#UM>FD-1\r#UM>DL08\r#UM>SP05\r#UM>DI0\r"
         "#UM>PD3\r"}}},
      {"[settings]\ncut-position = 5\n", {kK540, kOffice, "--dry-run"}, {{kK540, std::nullopt}}},
  };
  for (const auto& c : cases) {
    const std::map<std::string, std::size_t> before = JobCounts();
    const CommandResult result = Apply(c.profile, c.args);
    EXPECT_EQ(result.exit_code, 0) << c.profile << result.output;
    for (const auto& [queue, bytes] : c.arrives) {
      if (!bytes) {
        EXPECT_TRUE(printers->NoJobWithin(queue, kNoJob)) << queue;
        continue;
      }
      EXPECT_EQ(printers->WaitForJob(queue, kJobArrives), *bytes) << queue;
      EXPECT_EQ(printers->JobTitles(queue).size(), before.at(queue) + 1) << queue;
      EXPECT_EQ(printers->JobTitles(queue).back(), "Label");
    }
  }
}

TEST_F(ApplyTest, OneQueueFailingStopsNoOtherAndEachSaysWhy) {
  printers->RejectJobs(kOffice);
  const CommandResult result = Apply("[settings]\ncut-position = 5\ntear-off = -3\n",
                                     {kOffice, kN5Plus, kK540, kUnsupported, "--json"});
  printers->AcceptJobs(kOffice);
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives), "#UM>CD7\r#UM>FD-4\r");
  const json lines = json::parse(result.out)["results"];
  ASSERT_EQ(lines.size(), 4U) << result.out;
  const struct {
    std::string_view result, reason;
    bool commands;
  } expected[] = {
      {"not-sent", "did not take the job", true},
      {"not-sent", "has no correction CD for the model VARNOK N5 PLUS", false},
      {"sent", "", true},
      {"not-sent", "the model VARNOK Z9 PROTOTYPE is not supported", false},
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const json& line = lines[i];
    EXPECT_EQ(line["result"], expected[i].result) << line;
    EXPECT_EQ(line["commands"].is_array(), expected[i].commands) << line;
    EXPECT_EQ(line["sent_at"].is_string(), expected[i].result == "sent") << line;
    if (!expected[i].reason.empty()) {
      EXPECT_NE(line["reason"].get<std::string>().find(expected[i].reason), std::string::npos)
          << line;
    }
  }
  EXPECT_EQ(lines[2]["commands"][1], json({{"setting", "tear-off"},
                                           {"command", "#UM>FD-4\r"},
                                           {"command_bytes", "23 55 4D 3E 46 44 2D 34 0D"}}));
  for (const char* queue : {kOffice, kN5Plus, kUnsupported}) {
    EXPECT_TRUE(printers->NoJobWithin(queue, std::chrono::milliseconds(100))) << queue;
  }
}

}  // namespace
}  // namespace varnok
