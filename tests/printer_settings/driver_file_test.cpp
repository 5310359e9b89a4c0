#include "printer_settings/driver_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "printer_settings/supported_models.h"

namespace varnok {
namespace {

// The value of "*KEYWORD: value" in the file, without its quotes; "?" when it is missing.
std::string Value(const std::string& file, const std::string& keyword) {
  std::istringstream lines(file);
  const std::string start = "*" + keyword + ": ";
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with(start)) continue;
    std::string value = line.substr(start.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    return value;
  }
  return "?";
}

// Each line of a PPD is at most 255 bytes and every quoted value ends on its own line.
void ExpectWellFormedLines(const std::string& file) {
  std::istringstream lines(file);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 255U) << line;
    EXPECT_EQ(std::ranges::count(line, '"') % 2, 0) << line;
  }
}

TEST(DriverFileText, EverySupportedModelIsNamedAsListed) {
  std::set<std::string> pc_file_names;
  for (const std::string_view model : SupportedModels()) {
    const std::string file = DriverFileText(model);
    EXPECT_EQ(Value(file, "NickName"), model);
    // PPD allows no parentheses in a ModelName.
    if (model.find('(') == std::string_view::npos) {
      EXPECT_EQ(Value(file, "ModelName"), model);
    }
    EXPECT_EQ(Value(file, "Manufacturer"), "VARNOK");
    EXPECT_NE(
        file.find("*cupsFilter2: \"application/vnd.cups-raw application/octet-stream 0 -\"\n"
                  "*cupsFilter2: \"text/plain application/octet-stream 0 -\"\n"
                  "*cupsFilter2: \"application/octet-stream application/octet-stream 0 -\"\n"),
        std::string::npos);
    EXPECT_TRUE(pc_file_names.insert(Value(file, "PCFileName")).second) << model;
  }
}

struct NameCase {
  std::string model;
  std::string nick_name;
  std::string short_nick_name;
  std::string model_name;
  std::string encoding;
};

TEST(DriverFileText, AnyNameGivesAWellFormedFile) {
  const std::string long_utf8 = "VARNOK " + std::string(23, 'x') + "\xE6\xA0\x87\xE7\xAD\xBE";
  const std::string too_long = std::string(125, 'A') + "\xE6\xA0\x87";
  const NameCase cases[] = {
      {"VARNOK K540 (203 DPI)", "VARNOK K540 (203 DPI)", "VARNOK K540 (203 DPI)",
       "VARNOK K540 203 DPI", "ISOLatin1"},
      {"VARNOK M-4410 (VRLZ)", "VARNOK M-4410 (VRLZ)", "VARNOK M-4410 (VRLZ)", "VARNOK M-4410 VRLZ",
       "ISOLatin1"},
      {"VARNOK \"Q\"\r\nX", "VARNOK 'Q'  X", "VARNOK 'Q'  X", "VARNOK Q  X", "ISOLatin1"},
      // The short name is cut before a character that would pass 31 bytes.
      {long_utf8, long_utf8, "VARNOK " + std::string(23, 'x'), "VARNOK " + std::string(23, 'x'),
       "UTF-8"},
      {"VARNOK 标签 (VRLZ)", "VARNOK 标签 (VRLZ)", "VARNOK 标签 (VRLZ)", "VARNOK  VRLZ", "UTF-8"},
      {too_long, std::string(125, 'A'), std::string(31, 'A'), std::string(125, 'A'), "ISOLatin1"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.model);
    const std::string file = DriverFileText(c.model);
    EXPECT_EQ(Value(file, "NickName"), c.nick_name);
    EXPECT_EQ(Value(file, "ShortNickName"), c.short_nick_name);
    EXPECT_EQ(Value(file, "ModelName"), c.model_name);
    EXPECT_EQ(Value(file, "Product"), "(" + c.model_name + ")");
    EXPECT_EQ(Value(file, "LanguageEncoding"), c.encoding);
    ExpectWellFormedLines(file);
  }
}

}  // namespace
}  // namespace varnok
