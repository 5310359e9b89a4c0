#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "support/temp_folder.h"

// A write that cannot be made returns false and leaves the file as it was. The tests run as
// root, where a read-only folder is still writable, so the failures are made in other ways.
namespace varnok {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kFile = "; keep me\r\n[LANGUAGE]\r\nLG=CHINESE\r\n";

TEST(WriteIniStringFailure, FolderDoesNotExist) {
  TempFolder folder;
  const std::string missing = folder.File("missing");
  EXPECT_FALSE(WriteIniString(missing + "/config.ini", "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(WriteIniStringFailure, PathBelowARegularFile) {
  TempFolder folder;
  const std::string file = folder.File("config.ini");
  WriteBytes(file, kFile);
  EXPECT_FALSE(WriteIniString(file + "/config.ini", "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_EQ(ReadBytes(file), kFile);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

TEST(WriteIniStringFailure, PathIsAFolder) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  std::filesystem::create_directory(path);
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(std::filesystem::is_empty(path));
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

// Entries that could not be read back as written are refused, and the file is not touched.
struct RefusedCase {
  const char* name;
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class WriteIniStringRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(WriteIniStringRefusedTest, LeavesFileAsItWas) {
  const RefusedCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kFile);
  EXPECT_FALSE(WriteIniString(path, c.section, c.key, c.value));
  EXPECT_EQ(ReadBytes(path), kFile);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Entries, WriteIniStringRefusedTest,
    ::testing::Values(RefusedCase{"EmptySection", "", "LG", "ENGLISH"},
                      RefusedCase{"BlankSection", "  ", "LG", "ENGLISH"},
                      RefusedCase{"EmptyKey", "LANGUAGE", "", "ENGLISH"},
                      RefusedCase{"LineEndInValue", "LANGUAGE", "LG", "ENG\r\nLISH"},
                      RefusedCase{"LfInValue", "LANGUAGE", "LG", "ENG\nLISH"},
                      RefusedCase{"CrInSection", "LANG\rUAGE", "LG", "ENGLISH"},
                      RefusedCase{"LineEndInKey", "LANGUAGE", "L\nG", "ENGLISH"},
                      RefusedCase{"EqualsInKey", "LANGUAGE", "L=G", "ENGLISH"},
                      RefusedCase{"KeyLooksLikeSection", "LANGUAGE", "[LG]", "ENGLISH"},
                      RefusedCase{"ValueNotUtf8", "LANGUAGE", "LG", "\xFF"}),
    varnok::testing::CaseName());

TEST(WriteIniStringFailure, CharacterGbkDoesNotHave) {
  // The file is GBK (About text "中" is D6 D0); an emoji has no GBK form, so nothing is written
  // rather than mixing UTF-8 into the GBK file.
  constexpr std::string_view gbk = "[CHINESE]\r\nFA_lblDescription=\xD6\xD0\r\n";
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, gbk);
  EXPECT_FALSE(WriteIniString(path, "CHINESE", "FA_lblDisclaimer", "\xF0\x9F\x98\x80"));
  EXPECT_EQ(ReadBytes(path), gbk);
}

TEST(WriteIniStringFailure, WriteThatWouldChangeHowTheFileReads) {
  // Found by fuzzing. The only byte that is not UTF-8 (FF) is in the value being replaced, so
  // the file reads as GBK before the write and as UTF-8 after it. Read as GBK, the byte order
  // mark swallows the "[" of the first line; read as UTF-8, that line is the first [A] section
  // and the new value in the second would never be found. Nothing is written.
  using namespace std::string_view_literals;
  constexpr std::string_view mixed =
      "\xEF\xBB\xBF[A][aae_info\r[A]\0A\0?\r\n\fS=\xFF"
      "A"sv;
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, mixed);
  EXPECT_FALSE(WriteIniString(path, "a", "S", "C"));
  EXPECT_EQ(ReadBytes(path), mixed);
}

}  // namespace
}  // namespace varnok
