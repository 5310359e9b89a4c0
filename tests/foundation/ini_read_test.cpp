#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

struct ReadCase {
  const char* name;
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::string_view expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadIniStringTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadIniStringTest, ReadsValue) {
  const ReadCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, c.file);
  EXPECT_EQ(ReadIniString(path, c.section, c.key), c.expected);
}

constexpr std::string_view kPlain = "[LANGUAGE]\r\nLG=CHINESE\r\n";

INSTANTIATE_TEST_SUITE_P(
    Profile, ReadIniStringTest,
    ::testing::Values(
        ReadCase{"Plain", kPlain, "LANGUAGE", "LG", "CHINESE"},
        ReadCase{"LowerCaseNamesInFile", "[language]\r\nlg=ENGLISH\r\n", "LANGUAGE", "LG",
                 "ENGLISH"},
        ReadCase{"MixedCaseNamesAsked", kPlain, "Language", "lG", "CHINESE"},
        ReadCase{"ValueCaseKept", "[LANGUAGE]\r\nLG=english\r\n", "LANGUAGE", "LG", "english"},
        ReadCase{"BlanksAroundNamesAndValue", "  [ LANGUAGE ]  \r\n\t LG \t=  CHINESE \t\r\n",
                 "LANGUAGE", "LG", "CHINESE"},
        ReadCase{"BlanksAskedNames", kPlain, " LANGUAGE ", " LG ", "CHINESE"},
        ReadCase{"InnerBlanksKept", "[A]\r\nK= two  words \r\n", "A", "K", "two  words"},
        ReadCase{"DoubleQuotesRemoved", "[A]\r\nK=\" quoted \"\r\n", "A", "K", " quoted "},
        ReadCase{"SingleQuotesRemoved", "[A]\r\nK='quoted'\r\n", "A", "K", "quoted"},
        ReadCase{"OnlyOnePairRemoved", "[A]\r\nK=\"\"x\"\"\r\n", "A", "K", "\"x\""},
        ReadCase{"TwoQuotesGiveEmpty", "[A]\r\nK=\"\"\r\n", "A", "K", ""},
        ReadCase{"OneQuoteKept", "[A]\r\nK=\"\r\n", "A", "K", "\""},
        ReadCase{"UnmatchedQuotesKept", "[A]\r\nK=\"x'\r\n", "A", "K", "\"x'"},
        ReadCase{"QuoteOnOneSideKept", "[A]\r\nK=\"x\r\n", "A", "K", "\"x"},
        ReadCase{"InnerQuotesKept", "[A]\r\nK=a\"b\"c\r\n", "A", "K", "a\"b\"c"},
        ReadCase{"EqualsInValue", "[A]\r\nK=a=b\r\n", "A", "K", "a=b"},
        ReadCase{"EmptyValue", "[A]\r\nK=\r\n", "A", "K", ""},
        ReadCase{"LineWithoutEqualsIsNoKey", "[A]\r\nK\r\nK=value\r\n", "A", "K", "value"},
        ReadCase{"CommentLinesIgnored", "; comment\r\n[A]\r\n; K is below\r\nK=1\r\n", "A", "K",
                 "1"},
        ReadCase{"CommentIsNotTheKey", "[A]\r\n;K=1\r\n", "A", "K", ""},
        ReadCase{"FirstMatchingKeyWins", "[A]\r\nK=1\r\nk=2\r\n", "A", "K", "1"},
        ReadCase{"FirstMatchingSectionWins", "[A]\r\nX=1\r\n[a]\r\nK=2\r\n", "A", "K", ""},
        ReadCase{"FirstSectionHasTheKey", "[A]\r\nK=1\r\n[A]\r\nK=2\r\n", "A", "K", "1"},
        ReadCase{"KeyInOtherSectionNotFound", "[A]\r\nX=1\r\n[B]\r\nK=2\r\n", "A", "K", ""},
        ReadCase{"KeyBeforeAnySectionIgnored", "K=0\r\n[A]\r\nK=1\r\n", "A", "K", "1"},
        ReadCase{"KeyBeforeAnySectionOnly", "K=0\r\n[A]\r\n", "A", "K", ""},
        ReadCase{"MissingSection", kPlain, "ENGLISH", "LG", ""},
        ReadCase{"MissingKey", kPlain, "LANGUAGE", "XX", ""},
        ReadCase{"EmptyFile", "", "LANGUAGE", "LG", ""},
        ReadCase{"LfLineEnds", "[A]\nX=1\nK=2\n", "A", "K", "2"},
        ReadCase{"CrLineEnds", "[A]\rX=1\rK=2\r", "A", "K", "2"},
        ReadCase{"MixedLineEnds", "[A]\r\nX=1\nY=2\rK=3\r\n", "A", "K", "3"},
        ReadCase{"BlankLinesBetween", "\r\n\r\n[A]\r\n\r\n\r\nK=1\r\n\r\n", "A", "K", "1"},
        ReadCase{"NoFinalLineEnd", "[A]\r\nK=last", "A", "K", "last"},
        ReadCase{"TextAfterHeader", "[A] trailing\r\nK=1\r\n", "A", "K", "1"},
        ReadCase{"HeaderWithoutBracketIsNoSection", "[A\r\nK=1\r\n", "A", "K", ""},
        ReadCase{"ModelNameSection", "[VARNOK K540 (203 DPI)]\r\nSD=-3\r\n",
                 "varnok k540 (203 dpi)", "SD", "-3"},
        ReadCase{"Utf8ByteOrderMarkSkipped", "\xEF\xBB\xBF[LANGUAGE]\r\nLG=CHINESE\r\n", "LANGUAGE",
                 "LG", "CHINESE"},
        ReadCase{"Utf8ChineseValue", "[CHINESE]\r\nFA_lblDisclaimer=注意：本软件按现状提供\r\n",
                 "CHINESE", "FA_lblDisclaimer", "注意：本软件按现状提供"},
        ReadCase{"Utf8ChineseNames", "[语言]\r\n键=值\r\n", "语言", "键", "值"}),
    varnok::testing::CaseName());

TEST(ReadIniStringMissing, MissingFileReadsEmpty) {
  TempFolder folder;
  EXPECT_EQ(ReadIniString(folder.File("config.ini"), "LANGUAGE", "LG"), "");
}

TEST(ReadIniStringMissing, FolderInsteadOfFileReadsEmpty) {
  TempFolder folder;
  EXPECT_EQ(ReadIniString(folder.path(), "LANGUAGE", "LG"), "");
}

// --- The 254-byte limit ---------------------------------------------------------------------

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

struct CutCase {
  const char* name;
  std::string value_in_file;  // as written in the file
  std::string expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class ReadIniStringCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(ReadIniStringCutTest, CutsTo254Bytes) {
  const CutCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[A]\r\nK=" + c.value_in_file + "\r\n");
  const std::string value = ReadIniString(path, "A", "K");
  EXPECT_LE(value.size(), 254U);
  EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Limit, ReadIniStringCutTest,
    ::testing::Values(
        CutCase{"ThreeHundredCharacters", Repeat("x", 300), Repeat("x", 254)},
        CutCase{"ExactlyTwoHundredFiftyFour", Repeat("y", 254), Repeat("y", 254)},
        CutCase{"TwoHundredFiftyFive", Repeat("y", 255), Repeat("y", 254)},
        CutCase{"QuotesRemovedBeforeCut", "\"" + Repeat("q", 300) + "\"", Repeat("q", 254)},
        // A character is never split: 84 three-byte characters are 252 bytes.
        CutCase{"ChineseNotSplit", Repeat("中", 100), Repeat("中", 84)},
        CutCase{"CharacterAcrossTheLimit", Repeat("a", 253) + "中", Repeat("a", 253)},
        CutCase{"CharacterEndingAtTheLimit", Repeat("a", 251) + "中中", Repeat("a", 251) + "中"},
        CutCase{"FourByteCharacterNotSplit", Repeat("a", 252) + "\xF0\x9F\x98\x80",
                Repeat("a", 252)}),
    varnok::testing::CaseName());

// --- GBK and UTF-8 files with the About texts --------------------------------------------------

// "[CHINESE]" with the two About texts, in GBK (code page 936) as a Chinese Windows writes them:
// "VARNOK 标签打印机设置工具" and "注意：本软件按现状提供".
constexpr std::string_view kGbkAboutFile =
    "[LANGUAGE]\r\nLG=CHINESE\r\n\r\n[CHINESE]\r\n"
    "FA_lblDescription=VARNOK \xB1\xEA\xC7\xA9\xB4\xF2\xD3\xA1\xBB\xFA\xC9\xE8\xD6\xC3\xB9\xA4"
    "\xBE\xDF\r\n"
    "FA_lblDisclaimer=\xD7\xA2\xD2\xE2\xA3\xBA\xB1\xBE\xC8\xED\xBC\xFE\xB0\xB4\xCF\xD6\xD7\xB4"
    "\xCC\xE1\xB9\xA9\r\n";
constexpr std::string_view kUtf8AboutFile =
    "[LANGUAGE]\r\nLG=CHINESE\r\n\r\n[CHINESE]\r\n"
    "FA_lblDescription=VARNOK 标签打印机设置工具\r\n"
    "FA_lblDisclaimer=注意：本软件按现状提供\r\n";

struct EncodingCase {
  const char* name;
  std::string_view file;
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

class ReadIniStringEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ReadIniStringEncodingTest, ChineseAboutTextsReadWhole) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, GetParam().file);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "CHINESE");
  EXPECT_EQ(ReadIniString(path, "CHINESE", "FA_lblDescription"), "VARNOK 标签打印机设置工具");
  EXPECT_EQ(ReadIniString(path, "CHINESE", "FA_lblDisclaimer"), "注意：本软件按现状提供");
  EXPECT_EQ(ReadIniString(path, "chinese", "fa_lbldisclaimer"), "注意：本软件按现状提供");
}

INSTANTIATE_TEST_SUITE_P(About, ReadIniStringEncodingTest,
                         ::testing::Values(EncodingCase{"Gbk", kGbkAboutFile},
                                           EncodingCase{"Utf8", kUtf8AboutFile}),
                         varnok::testing::CaseName());

// The limit counts the bytes of the file, as on Windows: 127 GBK characters fit, although their
// UTF-8 form is 381 bytes. "中" is D6 D0 in GBK; "筣" is B9 5D, its second byte an ASCII "]".
class ReadIniStringGbkCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(ReadIniStringGbkCutTest, CutsTheFileBytes) {
  const CutCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[A]\r\nK=" + c.value_in_file + "\r\n");
  EXPECT_EQ(ReadIniString(path, "A", "K"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Limit, ReadIniStringGbkCutTest,
    ::testing::Values(
        CutCase{"TwoHundredCharacters", Repeat("\xD6\xD0", 200), Repeat("中", 127)},
        CutCase{"QuotesRemovedBeforeCut", "\"" + Repeat("\xD6\xD0", 200) + "\"", Repeat("中", 127)},
        CutCase{"CharacterAcrossTheLimit", "a" + Repeat("\xD6\xD0", 127), "a" + Repeat("中", 126)},
        CutCase{"AsciiSecondBytes", "a" + Repeat("\xB9\x5D", 127), "a" + Repeat("筣", 126)}),
    varnok::testing::CaseName());

TEST(ReadIniStringGbk, BracketAsSecondByteOfACharacter) {
  // "筣" is B9 5D in GBK; 5D is "]". The section is "[筣]", not "[筣" cut at the first 5D.
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[\xB9\x5D]\r\nK=\xD6\xD0\r\n[\xB9\x5D\xB9\x5D]\r\nK=2\r\n");
  EXPECT_EQ(ReadIniString(path, "筣", "K"), "中");
  EXPECT_EQ(ReadIniString(path, "筣筣", "K"), "2");
}

TEST(ReadIniStringGbk, ChineseSectionAndKeyNames) {
  // "[语言]" and key "中文" in GBK.
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[\xD3\xEF\xD1\xD4]\r\n\xD6\xD0\xCE\xC4=\xD6\xD0\r\n");
  EXPECT_EQ(ReadIniString(path, "语言", "中文"), "中");
}

TEST(ReadIniStringGbk, BytesThatAreNeitherBecomeReplacementCharacters) {
  // FF is no GBK lead byte and no UTF-8 byte; the rest of the value is kept.
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path,
             "[A]\r\nK=\xFF"
             "A\xD6\xD0\r\n");
  EXPECT_EQ(ReadIniString(path, "A", "K"),
            "\xEF\xBF\xBD"
            "A中");
}

}  // namespace
}  // namespace varnok
