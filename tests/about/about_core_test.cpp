#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_texts.h"
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

}  // namespace
}  // namespace varnok
