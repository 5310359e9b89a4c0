#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"
#include "settings/utf8.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

// Part 3.4's 34 supported driver names, as the specification lists them.
const std::vector<std::string> kSupportedModels = {"VARNOK M-4410+",
                                                   "VARNOK M-4410",
                                                   "VARNOK M-4410D",
                                                   "VARNOK K540 200S",
                                                   "VARNOK K540 (203 DPI)",
                                                   "VARNOK K540 200DPI",
                                                   "VARNOK K540 (300 DPI)",
                                                   "VARNOK K540 300DPI",
                                                   "VARNOK L410",
                                                   "VARNOK RS5",
                                                   "VARNOK M-6610",
                                                   "VARNOK M-6610+",
                                                   "VARNOK M-6610D",
                                                   "VARNOK L610",
                                                   "VARNOK RS7",
                                                   "VARNOK RS8",
                                                   "VARNOK N5/200",
                                                   "VARNOK N5/300",
                                                   "VARNOK K540/300S",
                                                   "VARNOK F7/200",
                                                   "VARNOK K540 300S",
                                                   "VARNOK F94",
                                                   "VARNOK K540/200S",
                                                   "VARNOK K540/200e",
                                                   "VARNOK NZ/200",
                                                   "VARNOK M7000",
                                                   "VARNOK N5 plus",
                                                   "VARNOK L430",
                                                   "VARNOK K540/200+",
                                                   "VARNOK HALIX 472 200DPI",
                                                   "VARNOK HALIX472",
                                                   "VARNOK HALIX572",
                                                   "VARNOK M8000",
                                                   "VARNOK M9000"};

constexpr std::string_view kCorrectionKeys[] = {"SD", "ST", "CD", "CT", "FD", "PD", "SP"};

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

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
  const std::string program_folder =
      std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  EXPECT_EQ(path, program_folder + "/config.ini");
  EXPECT_TRUE(std::filesystem::path(path).is_absolute());
}

TEST(ShippedConfigTest, ModelSectionsHoldZeroCorrections) {
  ASSERT_EQ(kSupportedModels.size(), 34U);
  const std::string path = VARNOK_SHIPPED_CONFIG;
  for (const std::string& model : kSupportedModels) {
    for (const std::string_view key : kCorrectionKeys) {
      EXPECT_EQ(ReadIniString(path, Upper(model), key), "0") << model << " " << key;
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
  for (const std::string& model : kSupportedModels) expected.push_back("[" + Upper(model) + "]");
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
  for (const std::string& model : kSupportedModels) {
    EXPECT_EQ(ReadIniString(installed, Upper(model), "SP"), "0") << model;
  }
}

}  // namespace
}  // namespace varnok
