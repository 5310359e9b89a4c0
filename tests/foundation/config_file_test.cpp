#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/ini_file.h"
#include "foundation/program_folder.h"
#include "foundation/utf8.h"
#include "foundation/utf8_path.h"
#include "printer_settings/supported_models.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

constexpr std::string_view kCorrectionKeys[] = {"SD", "ST", "CD", "CT", "FD", "PD", "SP"};

// The section of a model's corrections: its name in upper case.
std::string Section(std::string_view model) { return ModelName(model, false); }

// The section header lines of a file, names as written.
std::vector<std::string> SectionHeaders(const std::string& bytes) {
  std::vector<std::string> headers;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(pos, end - pos);
    if (!line.empty() && line.front() == '[') headers.push_back(line);
    pos = end + 2;
  }
  return headers;
}

TEST(ConfigFilePathTest, IsBesideTheProgram) {
  const std::string path = ConfigFilePath();
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  EXPECT_TRUE(path.ends_with(separator + std::string("config.ini"))) << path;
  const std::filesystem::path file = PathFromUtf8(path);
  EXPECT_TRUE(file.is_absolute()) << path;
  // The tests are built into the program's folder.
  const std::filesystem::path folder = file.parent_path();
  EXPECT_TRUE(std::filesystem::exists(folder / "foundation_tests") ||
              std::filesystem::exists(folder / "foundation_tests.exe"))
      << path;
}

TEST(ShippedConfigTest, ModelSectionsHoldZeroCorrections) {
  ASSERT_EQ(SupportedModels().size(), 34U);
  const std::string path = VARNOK_SHIPPED_CONFIG;
  for (const std::string_view model : SupportedModels()) {
    for (const std::string_view key : kCorrectionKeys) {
      EXPECT_EQ(ReadIniString(path, Section(model), key), "0") << model << " " << key;
    }
  }
}

TEST(ShippedConfigTest, LanguageIsChinese) {
  EXPECT_EQ(ReadIniString(VARNOK_SHIPPED_CONFIG, "LANGUAGE", "LG"), "CHINESE");
}

TEST(ShippedConfigTest, AboutTextsInBothLanguages) {
  for (const char* language : {"CHINESE", "ENGLISH"}) {
    for (const char* key : {"FA_lblDescription", "FA_lblDisclaimer"}) {
      const std::string text = ReadIniString(VARNOK_SHIPPED_CONFIG, language, key);
      EXPECT_FALSE(text.empty()) << language << " " << key;
      EXPECT_LT(text.size(), 254U) << language << " " << key << ": would be cut";
    }
  }
  EXPECT_NE(ReadIniString(VARNOK_SHIPPED_CONFIG, "CHINESE", "FA_lblDescription"),
            ReadIniString(VARNOK_SHIPPED_CONFIG, "ENGLISH", "FA_lblDescription"));
}

TEST(ShippedConfigTest, ExactlyTheExpectedSectionsInUpperCase) {
  const std::string bytes = testing::ReadBytes(VARNOK_SHIPPED_CONFIG);
  std::vector<std::string> expected = {"[LANGUAGE]", "[CHINESE]", "[ENGLISH]"};
  for (const std::string_view model : SupportedModels())
    expected.push_back("[" + Section(model) + "]");
  EXPECT_EQ(SectionHeaders(bytes), expected);
}

TEST(ShippedConfigTest, WindowsLineEndsAndUtf8) {
  const std::string bytes = testing::ReadBytes(VARNOK_SHIPPED_CONFIG);
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(ini::IsValidUtf8(bytes));
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF alone at byte " << i;
    }
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR alone at byte " << i;
    }
  }
}

TEST(ShippedConfigTest, BuildPutsItBesideTheProgram) {
  // The tests are built into the program's folder, so the copy is where ConfigFilePath looks.
  // Its language may have been changed since by running the program; the rest is the shipped
  // file.
  const std::string installed = ConfigFilePath();
  ASSERT_TRUE(std::filesystem::is_regular_file(installed)) << installed;
  for (const std::string_view model : SupportedModels()) {
    EXPECT_EQ(ReadIniString(installed, Section(model), "SP"), "0") << model;
  }
}

}  // namespace
}  // namespace varnok
