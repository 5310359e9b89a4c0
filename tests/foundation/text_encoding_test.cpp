#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/file_text.h"
#include "foundation/gbk_codec.h"
#include "foundation/utf8.h"

namespace varnok::ini {
namespace {

struct Utf8Case {
  const char* name;
  std::string_view bytes;
  bool valid;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class IsValidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(IsValidUtf8Test, Decides) {
  EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().valid);
  EXPECT_EQ(DetectEncoding(GetParam().bytes),
            GetParam().valid ? FileEncoding::Utf8 : FileEncoding::Gbk);
}

INSTANTIATE_TEST_SUITE_P(Bytes, IsValidUtf8Test,
                         ::testing::Values(Utf8Case{"Empty", "", true},
                                           Utf8Case{"Ascii", "[LANGUAGE]\r\n", true},
                                           Utf8Case{"Chinese", "中文", true},
                                           Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", true},
                                           Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", true},
                                           Utf8Case{"GbkChinese", "\xD6\xD0\xCE\xC4", false},
                                           Utf8Case{"LoneContinuation", "\x80", false},
                                           Utf8Case{"TruncatedAtEnd", "a\xE4\xB8", false},
                                           Utf8Case{"OverlongSlash", "\xC0\xAF", false},
                                           Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", false},
                                           Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                                           Utf8Case{"AboveHighest", "\xF4\x90\x80\x80", false},
                                           Utf8Case{"LeadByteF5", "\xF5\x80\x80\x80", false}),
                         varnok::testing::CaseName());

TEST(CutTextTest, NeverSplitsAUtf8Character) {
  constexpr FileEncoding utf8 = FileEncoding::Utf8;
  EXPECT_EQ(CutText("abc", 5, utf8), "abc");
  EXPECT_EQ(CutText("abc", 2, utf8), "ab");
  EXPECT_EQ(CutText("中文", 6, utf8), "中文");
  EXPECT_EQ(CutText("中文", 5, utf8), "中");
  EXPECT_EQ(CutText("中文", 3, utf8), "中");
  EXPECT_EQ(CutText("中文", 2, utf8), "");
  EXPECT_EQ(CutText("a\xF0\x9F\x98\x80", 4, utf8), "a");
}

TEST(GbkCodecTest, RoundTrip) {
  EXPECT_EQ(GbkToUtf8("\xB9\xD8\xD3\xDA\xB1\xBE\xB3\xCC\xD0\xF2"), "关于本程序");
  EXPECT_EQ(Utf8ToGbk("关于本程序"), "\xB9\xD8\xD3\xDA\xB1\xBE\xB3\xCC\xD0\xF2");
  EXPECT_EQ(GbkToUtf8("ASCII stays"), "ASCII stays");
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(GbkCodecTest, LongTextCrossesTheConversionBuffer) {
  std::string gbk;
  std::string utf8;
  for (int i = 0; i < 2000; ++i) {
    gbk +=
        "\xD6\xD0"
        "a";
    utf8 += "中a";
  }
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(GbkCodecTest, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(GbkToUtf8("a\xD6"), "a\xEF\xBF\xBD");  // lead byte at the end
}

TEST(GbkCodecTest, UnencodableTextGivesNothing) {
  EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80").has_value());
  EXPECT_FALSE(Utf8ToGbk("\xFF").has_value());
}

TEST(CharacterSizeTest, GbkDoubleByteHidesAsciiSecondByte) {
  constexpr std::string_view text = "[\xB9\x5D]";
  EXPECT_EQ(CharacterSize(text, 0, FileEncoding::Gbk), 1U);
  EXPECT_EQ(CharacterSize(text, 1, FileEncoding::Gbk), 2U);
  EXPECT_EQ(CharacterSize(text, 3, FileEncoding::Gbk), 1U);
  EXPECT_EQ(CharacterSize("\xB9", 0, FileEncoding::Gbk), 1U);  // never past the end
  EXPECT_EQ(CharacterSize("\xD6"
                          "1]",
                          0, FileEncoding::Gbk),
            1U);  // "1" is no second byte
  EXPECT_EQ(CharacterSize("中", 0, FileEncoding::Utf8), 3U);
}

}  // namespace
}  // namespace varnok::ini
