#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "about/about_texts.h"
#include "about/sys_info.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

TEST(AboutTextsTest, ComeFromTheSectionNamedByTheStoredLanguage) {
  const std::string sections =
      "[CHINESE]\nFA_lblDescription=热敏标签打印机设置工具\nFA_lblDisclaimer=仅用于支持的型号\n"
      "[ENGLISH]\nFA_lblDescription=Label printer settings\n";
  struct Case {
    const char* language;  // nullptr: no settings file at all
    AboutTexts expected;
  };
  const std::vector<Case> cases = {{"ENGLISH", {"Label printer settings", ""}},
                                   {"CHINESE", {"热敏标签打印机设置工具", "仅用于支持的型号"}},
                                   {"", {}},
                                   {nullptr, {}}};
  for (const auto& c : cases) {
    testing::TempFolder folder;
    const std::string path = folder.path() + "/config.ini";
    if (c.language != nullptr) {
      folder.Write("config.ini", "[LANGUAGE]\nLG=" + std::string(c.language) + "\n" + sections);
    }
    const AboutTexts texts = ReadAboutTexts(path);
    const char* shown = c.language != nullptr ? c.language : "no settings file";
    EXPECT_EQ(texts.description, c.expected.description) << shown;
    EXPECT_EQ(texts.disclaimer, c.expected.disclaimer) << shown;
  }
}

struct FakeLauncher : ProgramLauncher {
  bool StartDetached(const std::string& program) override {
    started.push_back(program);
    return starts;
  }
  std::vector<std::string> started;
  bool starts = true;
};

TEST(SysInfoTest, StartsTheFirstInstalledProgramOrSaysNoneIsAvailable) {
  testing::TempFolder folder;
  const auto install = [&](const char* name, mode_t mode) {
    const std::string path = folder.Write(name, "#!/bin/sh\n");
    chmod(path.c_str(), mode);
    return path;
  };
  const Message unavailable{"此时系统信息不可用", "VarnoK Utility", MessageIcon::None,
                            MessageButtons::Ok};
  FakeLauncher launcher;
  testing::MessageRecorder messages;
  const std::string search_path = "relative:/no/such:" + folder.path();

  StartSysInfo(launcher, messages, search_path);  // nothing installed
  install("hardinfo", 0644);                      // not executable: not a program
  install("gnome-system-monitor", 0755);
  const std::string preferred = install("kinfocenter", 0755);
  StartSysInfo(launcher, messages, search_path);
  launcher.starts = false;
  StartSysInfo(launcher, messages, search_path);

  EXPECT_EQ(launcher.started, (std::vector<std::string>{preferred, preferred}));
  EXPECT_EQ(messages.shown, (std::vector<Message>{unavailable, unavailable}));
}

}  // namespace
}  // namespace varnok
