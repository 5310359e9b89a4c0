// varnok-printer.exe under wine, through wine's own spooler to a private CUPS scheduler: wine
// lists the scheduler's queues as its printers and hands their RAW jobs to it. Wine reports
// success even for jobs the scheduler refused, so every send is judged by the bytes that reach
// the virtual printers, never by the program's word alone.
//
// Needs the Windows build's bin folder in VARNOK_WINDOWS_BIN. The wine prefix is WINEPREFIX
// when set (a test run shares one), otherwise one of the test's own, stopped at the end.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {
namespace {

using nlohmann::json;
using testing::CommandResult;

using testing::kJobArrives;
constexpr std::chrono::milliseconds kNoJob{2000};

constexpr char kK540[] = "VARNOK_K540_200DPI";
constexpr char kOffice[] = "Varnok-Office";
constexpr char kChinese[] = "VARNOK_标签";
constexpr char kDecoy[] = "My_VARNOK";

// The driver names the maker's drivers would give, set in wine's registry: by itself wine
// reports each CUPS queue's own name as its driver.
const std::map<std::string, std::string> kDrivers = {
    {kK540, "VARNOK K540 200DPI"},
    {kOffice, "VARNOK M-4410"},
    {kChinese, "VARNOK K540 300DPI"},
    {kDecoy, "VARNOK L410"},
};

// A path as wine's programs see it: the Linux root is drive Z.
std::string WindowsPath(std::string path) {
  std::ranges::replace(path, '/', '\\');
  return "Z:" + path;
}

class WineSpoolerTest : public testing::VirtualPrinterSuite<> {
 protected:
  static void SetUpTestSuite() {
    const char* bin = std::getenv("VARNOK_WINDOWS_BIN");
    if (bin == nullptr || *bin == '\0') return;
    program = std::string(bin) + "/varnok-printer.exe";
    // Wine reads the command line and queue names from the Linux side as UTF-8.
    ::setenv("LC_ALL", "C.UTF-8", 1);
    const char* shared_prefix = std::getenv("WINEPREFIX");
    if (shared_prefix == nullptr || *shared_prefix == '\0') {
      own_prefix = std::make_unique<testing::TempFolder>();
      ::setenv("WINEPREFIX", own_prefix->File("prefix").c_str(), 1);
    }
    std::vector<testing::VirtualQueue> queues;
    for (const auto& [queue, driver] : kDrivers) queues.push_back({queue, driver});
    StartPrinters(queues);

    // Wine takes the scheduler's queues into its registry when a program first asks for
    // printers; the driver names can be set only then.
    const CommandResult names = Wine({program, "list", "--names"});
    ASSERT_EQ(names.exit_code, 0) << names.output;
    for (const auto& [queue, driver] : kDrivers) {
      const CommandResult set =
          Wine({"reg", "add", "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\" + queue,
                "/v", "Printer Driver", "/d", driver, "/f"});
      ASSERT_EQ(set.exit_code, 0) << set.output;
    }
  }
  static void TearDownTestSuite() {
    StopPrinters();
    if (own_prefix) {
      testing::RunCommand({"wineserver", "-k"});
      own_prefix.reset();
    }
  }
  void SetUp() override {
    if (program.empty()) GTEST_SKIP() << "VARNOK_WINDOWS_BIN names no Windows build";
  }

  static CommandResult Wine(std::vector<std::string> args) {
    args.insert(args.begin(), VARNOK_WINE_RUN);
    return testing::RunCommand(args);
  }

  static inline std::string program;
  static inline std::unique_ptr<testing::TempFolder> own_prefix;
};

TEST_F(WineSpoolerTest, ListShowsTheBrandQueuesWithTheDriverNamesWindowsGives) {
  const CommandResult result = Wine({program, "list", "--json"});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  const json list = json::parse(result.out);
  std::map<std::string, std::string> listed;
  for (const json& queue : list["queues"]) {
    listed[queue["queue"]] = queue["driver"];
    EXPECT_TRUE(queue["supported"]) << queue;
    EXPECT_TRUE(queue["accepting_jobs"]) << queue;
  }
  std::map<std::string, std::string> expected = kDrivers;
  expected.erase(kDecoy);
  EXPECT_EQ(listed, expected);
}

// Windows has no locale variables: messages follow the language of its menus, which wine takes
// from the locale it is started in.
TEST_F(WineSpoolerTest, MessagesAreInTheLanguageOfWindowsMenus) {
  const CommandResult result =
      testing::RunCommand({"env", "LC_ALL=zh_CN.UTF-8", VARNOK_WINE_RUN, program, "set",
                           "reset-user", "VARNOK_Missing"});
  EXPECT_EQ(result.exit_code, 2) << result.output;
  EXPECT_NE(result.output.find("没有队列 VARNOK_Missing；未发送任何内容"), std::string::npos)
      << result.output;
}

// What one call of varnok-printer must deliver, byte for byte, at each queue (nullopt: no job).
struct DeliveryCase {
  const char* name;
  std::vector<std::string> args;  // after the program; "{config}", "{file}", "{profile}" filled in
  int exit_code;
  std::map<std::string, std::optional<std::string>> arrives;
  std::string title;         // the job title the scheduler shows
  std::string says;          // found in the program's output
  std::string profile = {};  // what "{profile}" holds
};

void PrintTo(const DeliveryCase& c, std::ostream* out) { *out << c.name; }

// Corrections for two of the models.
constexpr char kConfig[] =
    "[LANGUAGE]\r\nLG=ENGLISH\r\n[VARNOK K540 200DPI]\r\nSD=12\r\n[VARNOK K540 "
    "300DPI]\r\nSD=-3\r\n";
const std::string kFileBytes = [] {
  std::string bytes;
  for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  return bytes + "\r\n^XA^XZ";
}();

class WineDeliveryTest : public WineSpoolerTest,
                         public ::testing::WithParamInterface<DeliveryCase> {};

TEST_P(WineDeliveryTest, BytesAtThePrinters) {
  const DeliveryCase& c = GetParam();
  testing::TempFolder folder;
  std::vector<std::string> args = {program};
  for (const std::string& arg : c.args) {
    if (arg == "{config}") {
      args.push_back(WindowsPath(folder.Write("config.ini", kConfig)));
    } else if (arg == "{file}") {
      args.push_back(WindowsPath(folder.Write("标签.prn", kFileBytes)));
    } else if (arg == "{profile}") {
      args.push_back(WindowsPath(folder.Write("站点.ini", c.profile)));
    } else {
      args.push_back(arg);
    }
  }
  const CommandResult result = Wine(args);
  EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
  EXPECT_NE(result.output.find(c.says), std::string::npos) << result.output;
  for (const auto& [queue, bytes] : c.arrives) {
    if (bytes) {
      ASSERT_EQ(printers->WaitForJob(queue, kJobArrives), *bytes) << queue;
      EXPECT_EQ(printers->JobTitles(queue).back(), c.title) << queue;
    } else {
      EXPECT_TRUE(printers->NoJobWithin(queue, kNoJob)) << queue;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WineDeliveryTest,
    ::testing::Values(
        DeliveryCase{"SetToTwoQueuesWithTheirCorrections",
                     {"set", "vertical-reflective", "5", kK540, kChinese, "--config", "{config}"},
                     0,
                     {{kK540, "#UM>SD17\r"}, {kChinese, "#UM>SD2\r"}, {kOffice, std::nullopt}},
                     "Label",
                     "sent"},
        DeliveryCase{"ResetToTwoQueues",
                     {"set", "reset-user", kOffice, kChinese},
                     0,
                     {{kOffice, "^@\r"}, {kChinese, "^@\r"}},
                     "Label",
                     "sent"},
        DeliveryCase{"MissingQueueIsRefusedBeforeAnythingIsSent",
                     {"set", "reset-user", "VARNOK_Missing", kK540},
                     2,
                     {{kK540, std::nullopt}},
                     "",
                     "has no queue VARNOK_Missing; nothing was sent"},
        DeliveryCase{"PrintServerOptionIsRefused",
                     {"--server", "127.0.0.1", "set", "reset-user", kK540},
                     2,
                     {{kK540, std::nullopt}},
                     "",
                     "--server has no meaning here"},
        DeliveryCase{"SendDeliversEveryByteTitledWithTheFileName",
                     {"send", "{file}", kK540, kChinese},
                     0,
                     {{kK540, kFileBytes}, {kChinese, kFileBytes}},
                     "标签.prn",
                     "sent"},
        DeliveryCase{"ApplyGivesEachQueueItsCommandsInOneJob",
                     {"apply", "{profile}", kK540, kChinese, "--config", "{config}"},
                     0,
                     {{kK540, "#UM>SD17\r#UM>DI1\r#UM>DL12\r"},
                      {kChinese, "#UM>SD2\r#UM>DI1\r#UM>DL12\r"},
                      {kOffice, std::nullopt}},
                     "Label",
                     "sent",
                     "\xEF\xBB\xBF[settings]\r\nvertical-reflective = 5\r\norientation = "
                     "top-to-bottom\r\n探测器灵敏度设定 = 12\r\n"},
        DeliveryCase{"FaultyProfileIsRefusedBeforeAnythingIsSent",
                     {"apply", "{profile}", kK540, kChinese},
                     2,
                     {{kK540, std::nullopt}, {kChinese, std::nullopt}},
                     "",
                     "站点.ini:3: 100 is out of range",
                     "[settings]\ncut-position = 5\ntear-off = 100\n"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace varnok
