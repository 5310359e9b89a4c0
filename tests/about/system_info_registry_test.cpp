// Where the registry says the system-information program is (Windows), with a fake registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "about/system_info_registry.h"
#include "fake_launcher.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

struct FakeRegistry : RegistryValues {
  bool GetKeyValue(std::string_view key, std::string_view value_name, std::string& value) override {
    const auto found = values.find({std::string(key), std::string(value_name)});
    value = found != values.end() ? found->second : "";
    return found != values.end();
  }
  std::map<std::pair<std::string, std::string>, std::string> values;
};

TEST(SysInfoRegistryTest, StartsThePathTheRegistryNamesOrSaysNoneIsAvailable) {
  testing::TempFolder tools;
  testing::TempFolder empty;
  const std::string msinfo32 = tools.Write("MSINFO32.EXE", "");
  const std::string named =
      "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
  const std::pair<std::string, std::string> path_value{kMsinfoKey, kMsinfoPathValue};
  const std::pair<std::string, std::string> folder_value{kSharedToolsKey, kMsinfoFolderValue};
  struct Case {
    const char* what;
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::string started;  // "": the unavailable message instead
  };
  const std::vector<Case> cases = {
      {"PATH first", {{path_value, named}, {folder_value, tools.path()}}, named},
      {"the folder's MSINFO32.EXE", {{folder_value, tools.path()}}, msinfo32},
      {"a folder without it", {{folder_value, empty.path()}}, ""},
      {"neither value", {}, ""}};
  const Message unavailable{"此时系统信息不可用", "VarnoK Utility", MessageIcon::None,
                            MessageButtons::Ok};
  for (const auto& c : cases) {
    FakeRegistry registry;
    registry.values = c.values;
    testing::FakeLauncher launcher;
    testing::MessageRecorder messages;
    StartSysInfo(launcher, messages, registry);
    if (c.started.empty()) {
      EXPECT_TRUE(launcher.started.empty()) << c.what;
      EXPECT_EQ(messages.shown, std::vector<Message>{unavailable}) << c.what;
    } else {
      ASSERT_EQ(launcher.started.size(), 1u) << c.what;
      // The same file, whichever separator the system writes.
      EXPECT_EQ(std::filesystem::path(launcher.started[0]), std::filesystem::path(c.started))
          << c.what;
      EXPECT_TRUE(messages.shown.empty()) << c.what;
    }
  }

  // A program that cannot be started is reported as unavailable too.
  FakeRegistry registry;
  registry.values = {{path_value, named}};
  testing::FakeLauncher failing;
  failing.starts = false;
  testing::MessageRecorder messages;
  StartSysInfo(failing, messages, registry);
  EXPECT_EQ(messages.shown, std::vector<Message>{unavailable});
}

}  // namespace
}  // namespace varnok
