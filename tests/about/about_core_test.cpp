#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "about/about_texts.h"
#include "about/sys_info.h"
#include "support/message_recorder.h"
#include "temp_folder.h"

namespace varnok {
namespace {

constexpr const char* kTwoLanguages =
    "[LANGUAGE]\nLG=%s\n"
    "[CHINESE]\nFA_lblDescription=热敏标签打印机设置工具\nFA_lblDisclaimer=注意：仅用于支持的型号\n"
    "[ENGLISH]\nFA_lblDescription=Label printer settings\nFA_lblDisclaimer=Use on supported "
    "models\n";

std::string Config(const char* language) {
  std::string text = kTwoLanguages;
  text.replace(text.find("%s"), 2, language);
  return text;
}

TEST(AboutTextsTest, ComeFromTheSectionOfTheStoredLanguage) {
  struct Case {
    std::string file;  // "" for no settings file at all
    AboutTexts expected;
  };
  const std::vector<Case> cases = {
      {Config("ENGLISH"), {"Label printer settings", "Use on supported models"}},
      {Config("CHINESE"), {"热敏标签打印机设置工具", "注意：仅用于支持的型号"}},
      {Config(""), {}},
      {Config("FRENCH"), {}},
      {"[LANGUAGE]\nLG=ENGLISH\n[ENGLISH]\nFA_lblDescription=Only one\n", {"Only one", ""}},
      {"", {}}};
  for (const auto& c : cases) {
    testing::TempFolder folder;
    const std::string path =
        c.file.empty() ? folder.path() + "/config.ini" : folder.Write("config.ini", c.file);
    const AboutTexts texts = ReadAboutTexts(path);
    EXPECT_EQ(texts.description, c.expected.description) << c.file;
    EXPECT_EQ(texts.disclaimer, c.expected.disclaimer) << c.file;
  }
}

class FakeLauncher : public ProgramLauncher {
 public:
  bool StartDetached(const std::string& program) override {
    started.push_back(program);
    return starts;
  }
  std::vector<std::string> started;
  bool starts = true;
};

// A folder of stand-in programs; the executable ones count as installed.
class SysInfoTest : public ::testing::Test {
 protected:
  std::string Install(const std::string& name, bool executable = true) {
    const std::string path = folder_.Write(name, "#!/bin/sh\n");
    chmod(path.c_str(), executable ? 0755 : 0644);
    return path;
  }

  testing::TempFolder folder_;
  FakeLauncher launcher_;
  testing::MessageRecorder messages_;
};

TEST_F(SysInfoTest, GetKeyValueFindsAnExecutableOnTheSearchPath) {
  const std::string program = Install("kinfocenter");
  Install("hardinfo", false);
  std::string value = "stale";
  EXPECT_TRUE(GetKeyValue("relative:/no/such:" + folder_.path(), "kinfocenter", value));
  EXPECT_EQ(value, program);
  EXPECT_FALSE(GetKeyValue(folder_.path(), "hardinfo", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(GetKeyValue("", "kinfocenter", value));
}

TEST_F(SysInfoTest, StartsTheFirstProgramOfTheListThatIsInstalled) {
  Install("gnome-system-monitor");
  const std::string preferred = Install("kinfocenter");
  StartSysInfo(launcher_, messages_, "/no/such:" + folder_.path());
  EXPECT_EQ(launcher_.started, std::vector<std::string>{preferred});
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SysInfoTest, NoProgramOrOneThatWillNotStartBringsTheUnavailableMessage) {
  const Message unavailable{"此时系统信息不可用", "VarnoK Utility", MessageIcon::None,
                            MessageButtons::Ok};
  StartSysInfo(launcher_, messages_, folder_.path());
  EXPECT_TRUE(launcher_.started.empty());

  Install("hardinfo");
  launcher_.starts = false;
  StartSysInfo(launcher_, messages_, folder_.path());
  EXPECT_EQ(launcher_.started.size(), 1u);
  EXPECT_EQ(messages_.shown, (std::vector<Message>{unavailable, unavailable}));
}

}  // namespace
}  // namespace varnok
