#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "foundation/ini_merge.h"

namespace varnok::ini {
namespace {

struct MergeCase {
  const char* name;
  std::string_view current;
  std::string_view shipped;
  std::string_view after;
  std::vector<std::string> added;
};

class WithShippedEntriesTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(WithShippedEntriesTest, AddsOnlyWhatTheFileLacks) {
  const MergeCase& c = GetParam();
  const std::optional<MergedFile> merged = WithShippedEntries(c.current, c.shipped);
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->bytes, c.after);
  EXPECT_EQ(merged->added, c.added);
}

// 中 and 文 in GBK.
#define GBK_ZHONG "\xD6\xD0"
#define GBK_WEN "\xCE\xC4"

INSTANTIATE_TEST_SUITE_P(
    Merge, WithShippedEntriesTest,
    ::testing::Values(
        MergeCase{"AddsSectionWholeAfterBlankLine",
                  "[LANGUAGE]\r\nLG=ENGLISH\r\n",
                  "; top\r\nX=1\r\n[LANGUAGE]\r\nLG=CHINESE\r\n\r\n[VARNOK N]\r\n; new\r\nSD=0\r\n",
                  "[LANGUAGE]\r\nLG=ENGLISH\r\n\r\n[VARNOK N]\r\n; new\r\nSD=0\r\n",
                  {"[VARNOK N]"}},
        MergeCase{"KeepsOneBlankLineBeforeSection",
                  "[A]\r\nK=1\r\n\r\n",
                  "[B]\r\nK=2\r\n",
                  "[A]\r\nK=1\r\n\r\n[B]\r\nK=2\r\n",
                  {"[B]"}},
        MergeCase{"EndsUnfinishedLastLine",
                  "[A]\r\nK=1",
                  "[B]\r\nK=2",
                  "[A]\r\nK=1\r\n\r\n[B]\r\nK=2\r\n",
                  {"[B]"}},
        MergeCase{"KeepsLfLinesAndAddsCrLf",
                  "[A]\nK=1\n",
                  "[B]\r\nK=2\r\n",
                  "[A]\nK=1\n\r\n[B]\r\nK=2\r\n",
                  {"[B]"}},
        MergeCase{"AddsKeyAfterSectionsLastKey",
                  "[M]\r\nSD=5\r\n\r\n[X]\r\nK=1\r\n",
                  "[M]\r\nSD=0\r\nST=-2\r\n[X]\r\nK=1\r\n",
                  "[M]\r\nSD=5\r\nST=-2\r\n\r\n[X]\r\nK=1\r\n",
                  {"[M] ST"}},
        MergeCase{"FindsNamesAsTheReader",
                  "[varnok m]\r\n sd = 5\r\n",
                  "[VARNOK M]\r\nSD=0\r\n",
                  "[varnok m]\r\n sd = 5\r\n",
                  {}},
        MergeCase{"AddsToFirstMatchingSection",
                  "[M]\r\nSD=1\r\n[M]\r\nST=2\r\n",
                  "[M]\r\nST=0\r\n",
                  "[M]\r\nSD=1\r\nST=0\r\n[M]\r\nST=2\r\n",
                  {"[M] ST"}},
        MergeCase{"WritesGbkIntoGbkFile",
                  "[CHINESE]\r\nA=" GBK_ZHONG "\r\n",
                  "[CHINESE]\r\nA=x\r\nB=中文\r\n[ENGLISH]\r\nT=中\r\n",
                  "[CHINESE]\r\nA=" GBK_ZHONG "\r\nB=" GBK_ZHONG GBK_WEN
                  "\r\n\r\n[ENGLISH]\r\nT=" GBK_ZHONG "\r\n",
                  {"[CHINESE] B", "[ENGLISH]"}},
        MergeCase{"EmptyFileBecomesShippedOne",
                  "",
                  "; top\r\n[A]\r\nK=1\r\n",
                  "; top\r\n[A]\r\nK=1\r\n",
                  {}}),
    varnok::testing::CaseName());

TEST(WithShippedEntriesTest, RefusesWhatTheFilesEncodingCannotHold) {
  const std::string_view gbk_file = "[CHINESE]\r\nA=" GBK_ZHONG "\r\n";
  for (const std::string_view shipped : {"[CHINESE]\r\nB=😀\r\n", "[NEW]\r\nB=😀\r\n"}) {
    EXPECT_FALSE(WithShippedEntries(gbk_file, shipped)) << shipped;
  }
}

}  // namespace
}  // namespace varnok::ini
