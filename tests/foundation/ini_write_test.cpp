#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// --- Where a write lands: the whole file is compared byte for byte ---------------------------

struct WriteCase {
  const char* name;
  std::string_view before;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteIniStringTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteIniStringTest, ChangesOnlyTheEntry) {
  const WriteCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, c.before);
  ASSERT_TRUE(WriteIniString(path, c.section, c.key, c.value));
  EXPECT_EQ(ReadBytes(path), c.after);
  EXPECT_EQ(ReadIniString(path, c.section, c.key), c.value);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});  // no temporary file left
}

INSTANTIATE_TEST_SUITE_P(
    Profile, WriteIniStringTest,
    ::testing::Values(
        // Replacing a value in place.
        WriteCase{"ReplacesValue", "[LANGUAGE]\r\nLG=CHINESE\r\n", "LANGUAGE", "LG", "ENGLISH",
                  "[LANGUAGE]\r\nLG=ENGLISH\r\n"},
        WriteCase{"KeepsNameCaseAndBlanks", "[language]\r\n  lg = CHINESE  \r\n", "LANGUAGE", "LG",
                  "ENGLISH", "[language]\r\n  lg = ENGLISH  \r\n"},
        WriteCase{"ReplacesQuotedValueWhole", "[A]\r\nK=\"old\"\r\n", "A", "K", "new",
                  "[A]\r\nK=new\r\n"},
        WriteCase{"FillsEmptyValue", "[A]\r\nK=\r\nX=1\r\n", "A", "K", "v",
                  "[A]\r\nK=v\r\nX=1\r\n"},
        WriteCase{"FillsBlankValue", "[A]\r\nK =  \r\n", "A", "K", "v", "[A]\r\nK =v  \r\n"},
        WriteCase{"EmptiesValue", "[A]\r\nK=old\r\n", "A", "K", "", "[A]\r\nK=\r\n"},
        WriteCase{"KeepsLfLineEnds", "[A]\nK=1\nX=2\n", "A", "K", "22", "[A]\nK=22\nX=2\n"},
        WriteCase{"KeepsCrLineEnds", "[A]\rK=1\r", "A", "K", "2", "[A]\rK=2\r"},
        WriteCase{"ReplacesFirstMatchingKey", "[A]\r\nK=1\r\nk=2\r\n", "A", "K", "v",
                  "[A]\r\nK=v\r\nk=2\r\n"},
        WriteCase{"ReplacesInFirstMatchingSection", "[A]\r\nK=1\r\n[a]\r\nK=2\r\n", "A", "K", "v",
                  "[A]\r\nK=v\r\n[a]\r\nK=2\r\n"},
        WriteCase{"ReplacesWithoutFinalLineEnd", "[A]\r\nK=1", "A", "K", "v", "[A]\r\nK=v"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[A]\r\nK=1\r\n", "A", "K", "v",
                  "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
        WriteCase{"ChineseValueInUtf8File", "[A]\r\nK=旧\r\n", "A", "K", "新文本",
                  "[A]\r\nK=新文本\r\n"},
        // Adding a key to its section: after the section's last key line.
        WriteCase{"AddsKeyAfterLastKey", "[A]\r\nX=1\r\nY=2\r\n[B]\r\nK=3\r\n", "A", "K", "v",
                  "[A]\r\nX=1\r\nY=2\r\nK=v\r\n[B]\r\nK=3\r\n"},
        WriteCase{"AddsKeyBeforeTrailingBlankLines", "[A]\r\nX=1\r\n\r\n\r\n[B]\r\n", "A", "K", "v",
                  "[A]\r\nX=1\r\nK=v\r\n\r\n\r\n[B]\r\n"},
        WriteCase{"AddsKeyBeforeTrailingComment", "[A]\r\nX=1\r\n; section B\r\n[B]\r\n", "A", "K",
                  "v", "[A]\r\nX=1\r\nK=v\r\n; section B\r\n[B]\r\n"},
        WriteCase{"AddsKeyAfterInnerComment", "[A]\r\n; first\r\nX=1\r\n", "A", "K", "v",
                  "[A]\r\n; first\r\nX=1\r\nK=v\r\n"},
        WriteCase{"AddsKeyAfterHeaderOfEmptySection", "[A]\r\n\r\n[B]\r\n", "A", "K", "v",
                  "[A]\r\nK=v\r\n\r\n[B]\r\n"},
        WriteCase{"AddsKeyAfterHeaderAtEndOfFile", "[A]", "A", "K", "v", "[A]\r\nK=v\r\n"},
        WriteCase{"AddsKeyAfterLineWithoutLineEnd", "[A]\r\nX=1", "A", "K", "v",
                  "[A]\r\nX=1\r\nK=v\r\n"},
        WriteCase{"AddsKeyWithCrLfInLfFile", "[A]\nX=1\n", "A", "K", "v", "[A]\nX=1\nK=v\r\n"},
        WriteCase{"AddsKeyToFirstMatchingSection", "[A]\r\nX=1\r\n[a]\r\nK=2\r\n", "A", "K", "v",
                  "[A]\r\nX=1\r\nK=v\r\n[a]\r\nK=2\r\n"},
        WriteCase{"KeyBeforeAnySectionIsNotTheKey", "K=0\r\n[A]\r\n", "A", "K", "v",
                  "K=0\r\n[A]\r\nK=v\r\n"},
        WriteCase{"LineWithoutEqualsIsNotTheKey", "[A]\r\nK\r\n", "A", "K", "v",
                  "[A]\r\nK=v\r\nK\r\n"},
        // Adding a section at the end of the file.
        WriteCase{"AppendsSection", "[A]\r\nX=1\r\n", "B", "K", "v",
                  "[A]\r\nX=1\r\n[B]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionAfterMissingLineEnd", "[A]\r\nX=1", "B", "K", "v",
                  "[A]\r\nX=1\r\n[B]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionAfterBlankLines", "[A]\r\nX=1\r\n\r\n", "B", "K", "v",
                  "[A]\r\nX=1\r\n\r\n[B]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionAfterLf", "[A]\nX=1\n", "B", "K", "v", "[A]\nX=1\n[B]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionAfterCr", "[A]\rX=1\r", "B", "K", "v", "[A]\rX=1\r[B]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionToEmptyFile", "", "LANGUAGE", "LG", "ENGLISH",
                  "[LANGUAGE]\r\nLG=ENGLISH\r\n"},
        WriteCase{"AppendsSectionAfterByteOrderMarkOnly", "\xEF\xBB\xBF", "A", "K", "v",
                  "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
        WriteCase{"AppendsSectionAfterKeysOutsideSections", "; settings\r\nK=0", "A", "K", "v",
                  "; settings\r\nK=0\r\n[A]\r\nK=v\r\n"},
        // Names given with blanks are matched and written without them.
        WriteCase{"TrimsGivenNames", "[A]\r\nK=1\r\n", " A ", "\tK ", "v", "[A]\r\nK=v\r\n"},
        WriteCase{"WritesTrimmedNewNames", "", " B ", " K ", "v", "[B]\r\nK=v\r\n"}),
    varnok::testing::CaseName());

// The case: a realistic file with comments, blank lines and other sections.
TEST(WriteIniStringFile, ChangesOnlyTheOneLine) {
  const std::string before =
      "; VarnoK Utility settings\r\n"
      "\r\n"
      "[Language]\r\n"
      "; CHINESE or ENGLISH\r\n"
      "Lg = CHINESE\r\n"
      "\r\n"
      "[CHINESE]\r\n"
      "FA_lblDescription=VARNOK 标签打印机设置工具\r\n"
      "FA_lblDisclaimer=\"注意：本软件按现状提供\"\r\n"
      "\r\n"
      "[ENGLISH]\r\n"
      "FA_lblDescription=Settings utility\r\n"
      "FA_lblDisclaimer='Provided as is'\r\n"
      "\r\n"
      "[VARNOK M-4410+]\r\n"
      "SD=0\r\n"
      "ST=-2\r\n"
      "LG=not this one\r\n";
  std::string expected = before;
  expected.replace(expected.find("Lg = CHINESE"), 12, "Lg = ENGLISH");

  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, before);
  ASSERT_TRUE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "ENGLISH");
  EXPECT_EQ(ReadIniString(path, "VARNOK M-4410+", "ST"), "-2");
  EXPECT_EQ(ReadIniString(path, "VARNOK M-4410+", "LG"), "not this one");
}

// --- A missing file is created ----------------------------------------------------------------

class WriteIniStringCreateTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WriteIniStringCreateTest, CreatesMissingFileWithLanguage) {
  const std::string value = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "");
  ASSERT_TRUE(WriteIniString(path, "LANGUAGE", "LG", value));
  EXPECT_EQ(ReadBytes(path), "[LANGUAGE]\r\nLG=" + value + "\r\n");
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), value);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(Language, WriteIniStringCreateTest,
                         ::testing::Values("CHINESE", "ENGLISH"),
                         [](const ::testing::TestParamInfo<const char*>& value) {
                           return std::string(value.param);
                         });

// --- A GBK file stays GBK ---------------------------------------------------------------------

// "[CHINESE]" About text "关于本程序" in GBK, then the language section.
constexpr std::string_view kGbkFile =
    "[CHINESE]\r\nFA_lblDescription=\xB9\xD8\xD3\xDA\xB1\xBE\xB3\xCC\xD0\xF2\r\n"
    "[LANGUAGE]\r\nLG=CHINESE\r\n";

TEST(WriteIniStringGbk, WritesAsciiValueKeepingGbkBytes) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kGbkFile);
  ASSERT_TRUE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_EQ(ReadBytes(path),
            "[CHINESE]\r\nFA_lblDescription=\xB9\xD8\xD3\xDA\xB1\xBE\xB3\xCC\xD0\xF2\r\n"
            "[LANGUAGE]\r\nLG=ENGLISH\r\n");
  EXPECT_EQ(ReadIniString(path, "CHINESE", "FA_lblDescription"), "关于本程序");
}

TEST(WriteIniStringGbk, WritesChineseValueAndNamesInGbk) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kGbkFile);
  ASSERT_TRUE(WriteIniString(path, "CHINESE", "FA_lblDisclaimer", "中文"));
  ASSERT_TRUE(WriteIniString(path, "语言", "LG", "中"));
  EXPECT_EQ(ReadBytes(path),
            "[CHINESE]\r\nFA_lblDescription=\xB9\xD8\xD3\xDA\xB1\xBE\xB3\xCC\xD0\xF2\r\n"
            "FA_lblDisclaimer=\xD6\xD0\xCE\xC4\r\n"
            "[LANGUAGE]\r\nLG=CHINESE\r\n"
            "[\xD3\xEF\xD1\xD4]\r\nLG=\xD6\xD0\r\n");
  EXPECT_EQ(ReadIniString(path, "CHINESE", "FA_lblDisclaimer"), "中文");
  EXPECT_EQ(ReadIniString(path, "语言", "LG"), "中");
}

TEST(WriteIniStringGbk, ReplacesValueInSectionWithBracketSecondByte) {
  // "[筣]" is "[" B9 5D "]" in GBK.
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[\xB9\x5D]\r\nK=\xD6\xD0\r\n");
  ASSERT_TRUE(WriteIniString(path, "筣", "K", "中文"));
  EXPECT_EQ(ReadBytes(path), "[\xB9\x5D]\r\nK=\xD6\xD0\xCE\xC4\r\n");
}

}  // namespace
}  // namespace varnok
