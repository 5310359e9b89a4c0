#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

struct LanguageCase {
  const char* name;
  std::string_view stored;
  Language caption;
  Language window;
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class LanguageTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageTest, CaptionAndWindowTests) {
  const LanguageCase& c = GetParam();
  EXPECT_EQ(CaptionLanguage(c.stored), c.caption);
  EXPECT_EQ(WindowLanguage(c.stored), c.window);
}

// Both tests are exact and case-sensitive; everything else falls to Chinese menus and English
// windows.
INSTANTIATE_TEST_SUITE_P(
    Stored, LanguageTest,
    ::testing::Values(
        LanguageCase{"English", "ENGLISH", Language::English, Language::English},
        LanguageCase{"Chinese", "CHINESE", Language::Chinese, Language::Chinese},
        LanguageCase{"LowerCaseEnglish", "english", Language::Chinese, Language::English},
        LanguageCase{"LowerCaseChinese", "chinese", Language::Chinese, Language::English},
        LanguageCase{"Empty", "", Language::Chinese, Language::English},
        LanguageCase{"Other", "FRENCH", Language::Chinese, Language::English},
        LanguageCase{"TrailingBlank", "ENGLISH ", Language::Chinese, Language::English}),
    varnok::testing::CaseName());

TEST(StoredValueTest, LanguageCommandsStoreExactValues) {
  EXPECT_EQ(StoredValue(Language::Chinese), "CHINESE");
  EXPECT_EQ(StoredValue(Language::English), "ENGLISH");
  EXPECT_EQ(CaptionLanguage(StoredValue(Language::English)), Language::English);
  EXPECT_EQ(WindowLanguage(StoredValue(Language::Chinese)), Language::Chinese);
}

TEST(LanguageFromFileTest, LowerCaseValueIsReturnedUnchanged) {
  // The value is returned as stored: "english" gives Chinese menus and English windows.
  testing::TempFolder folder;
  const std::string path = folder.File("config.ini");
  testing::WriteBytes(path, "[language]\r\nlg=english\r\n");
  const std::string stored = ReadIniString(path, kLanguageSection, kLanguageKey);
  EXPECT_EQ(stored, "english");
  EXPECT_EQ(CaptionLanguage(stored), Language::Chinese);
  EXPECT_EQ(WindowLanguage(stored), Language::English);
}

TEST(LanguageFromFileTest, NoFileGivesChineseMenusAndEnglishWindows) {
  testing::TempFolder folder;
  const std::string stored =
      ReadIniString(folder.File("config.ini"), kLanguageSection, kLanguageKey);
  EXPECT_EQ(stored, "");
  EXPECT_EQ(CaptionLanguage(stored), Language::Chinese);
  EXPECT_EQ(WindowLanguage(stored), Language::English);
}

TEST(LanguageFromFileTest, ChoosingALanguageRoundTrips) {
  testing::TempFolder folder;
  const std::string path = folder.File("config.ini");
  for (const Language language : {Language::English, Language::Chinese}) {
    ASSERT_TRUE(WriteIniString(path, kLanguageSection, kLanguageKey, StoredValue(language)));
    const std::string stored = ReadIniString(path, kLanguageSection, kLanguageKey);
    EXPECT_EQ(CaptionLanguage(stored), language);
    EXPECT_EQ(WindowLanguage(stored), language);
  }
  EXPECT_EQ(testing::ReadBytes(path), "[LANGUAGE]\r\nLG=CHINESE\r\n");
}

}  // namespace
}  // namespace varnok
