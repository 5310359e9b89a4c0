// What the settings file meets only on Windows: locks that Windows enforces, read-only files,
// links made with the Windows calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/file_access.h"
#include "foundation/ini_file.h"
#include "foundation/wide_text.h"
#include "saves_at_once.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kChinese = "[LANGUAGE]\r\nLG=CHINESE\r\n";

HANDLE OpenToLock(const std::string& path) {
  return ::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Another program holds the file locked for ever: a reader gets past a reader's lock, but nothing
// gets past a writer's, and nobody waits for ever.
struct HeldLockCase {
  const char* name;
  DWORD lock;
  bool readable;
};

void PrintTo(const HeldLockCase& c, std::ostream* os) { *os << c.name; }

class HeldLockTest : public ::testing::TestWithParam<HeldLockCase> {};

TEST_P(HeldLockTest, ReadWaitsOnlyForAWriterAndSaveForEveryoneAndNeitherForEver) {
  const HeldLockCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.Write("config.ini", kChinese);
  const HANDLE holder = OpenToLock(path);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  OVERLAPPED from_start{};
  ASSERT_TRUE(::LockFileEx(holder, c.lock, 0, MAXDWORD, MAXDWORD, &from_start));

  const ini::FileBytes file = ini::ReadFileBytes(path);
  EXPECT_EQ(file.status, c.readable ? ini::ReadStatus::Ok : ini::ReadStatus::Failed);
  EXPECT_EQ(file.bytes, c.readable ? kChinese : "");
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  ::CloseHandle(holder);

  EXPECT_EQ(ReadBytes(path), kChinese);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(Locks, HeldLockTest,
                         ::testing::Values(HeldLockCase{"Reader", 0, true},
                                           HeldLockCase{"Writer", LOCKFILE_EXCLUSIVE_LOCK, false}),
                         varnok::testing::CaseName());

// Several threads save keys of their own while another reads: no save is lost, and no read sees
// half a file.
TEST(SavesAtOnceTest, NoSaveIsLostAndNoReaderSeesHalfAFile) {
  TempFolder folder;
  const std::string path =
      folder.Write("config.ini", std::string(testing::kHeader) + std::string(testing::kTrailer));
  const testing::SavesAtOnce saves = testing::SaveAtOnce(path);
  EXPECT_TRUE(saves.all_saved);
  EXPECT_TRUE(saves.all_whole);
  EXPECT_TRUE(testing::IsWhole(ReadBytes(path))) << ReadBytes(path);
  for (int writer = 0; writer < testing::kWriters; ++writer) {
    for (int key = 0; key < testing::kKeysEach; ++key) {
      EXPECT_EQ(ReadIniString(path, "S", testing::Key(writer, key)), "v");
    }
  }
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

// A file Windows itself keeps from being written, or one a change would reach through another
// name, is left as it is.
struct KeptFileCase {
  const char* name;
  // Makes config.ini in the folder from real.ini; false when this system cannot.
  std::function<bool(const TempFolder&)> make;
};

void PrintTo(const KeptFileCase& c, std::ostream* os) { *os << c.name; }

class KeptFileTest : public ::testing::TestWithParam<KeptFileCase> {};

TEST_P(KeptFileTest, IsNotChanged) {
  TempFolder folder;
  const std::string real = folder.Write("real.ini", kChinese);
  if (!GetParam().make(folder)) GTEST_SKIP() << "this system cannot make one";
  const std::string path = folder.File("config.ini");
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_EQ(ReadBytes(real), kChinese);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "CHINESE");
  ::SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);  // so it can go
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"config.ini", "real.ini"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeptFileTest,
    ::testing::Values(
        KeptFileCase{"ReadOnly",
                     [](const TempFolder& folder) {
                       const std::wstring real = WideFromUtf8(folder.File("real.ini"));
                       const std::wstring path = WideFromUtf8(folder.File("config.ini"));
                       return ::CopyFileW(real.c_str(), path.c_str(), TRUE) &&
                              ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
                     }},
        KeptFileCase{"HardLink",
                     [](const TempFolder& folder) {
                       return ::CreateHardLinkW(WideFromUtf8(folder.File("config.ini")).c_str(),
                                                WideFromUtf8(folder.File("real.ini")).c_str(),
                                                nullptr) != FALSE;
                     }},
        KeptFileCase{"SymbolicLink",
                     [](const TempFolder& folder) {
                       // Wine answers that it made the link, but makes none.
                       const std::wstring path = WideFromUtf8(folder.File("config.ini"));
                       return ::CreateSymbolicLinkW(path.c_str(), L"real.ini",
                                                    SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
                              ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
                     }}),
    varnok::testing::CaseName());

}  // namespace
}  // namespace varnok
