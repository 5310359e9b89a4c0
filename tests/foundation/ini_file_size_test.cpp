#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "support/temp_folder.h"

// Settings files are small: one larger than 1 MiB is treated as a file that cannot be read, and a
// write that would make it larger is refused.
namespace varnok {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

constexpr std::uintmax_t kMebibyte = 1024 * 1024;
constexpr std::string_view kEnglish = "[LANGUAGE]\r\nLG=ENGLISH\r\n";

struct SizeCase {
  const char* name;
  std::uintmax_t size;
  bool readable;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class FileSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FileSizeTest, LargerThanOneMebibyteIsUnreadableAndKept) {
  const SizeCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kEnglish);
  // Sparse: zero bytes after the language. (Wine's C: drive holds no file of a tebibyte.)
  std::error_code too_large;
  std::filesystem::resize_file(path, c.size, too_large);
  if (too_large) GTEST_SKIP() << "this file system holds no file of " << c.size << " bytes";

  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), c.readable ? "ENGLISH" : "");
  EXPECT_EQ(IniFileReadable(path), c.readable);
  EXPECT_EQ(WriteIniString(path, "LANGUAGE", "LG", "CHINESE"), c.readable);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), c.readable ? "CHINESE" : "");
  EXPECT_EQ(std::filesystem::file_size(path), c.size);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileSizeTest,
                         ::testing::Values(SizeCase{"OneMebibyte", kMebibyte, true},
                                           SizeCase{"OneByteMore", kMebibyte + 1, false},
                                           SizeCase{"OneTebibyte", kMebibyte* kMebibyte, false}),
                         varnok::testing::CaseName());

TEST(FileSize, WriteThatWouldPassOneMebibyteIsRefused) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kEnglish);
  std::filesystem::resize_file(path, kMebibyte - 8);
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "FA_lblDescription", "Label printers"));
  EXPECT_EQ(std::filesystem::file_size(path), kMebibyte - 8);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "ENGLISH");
}

}  // namespace
}  // namespace varnok
