#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/file_access.h"
#include "foundation/ini_file.h"
#include "operator_user.h"
#include "saves_at_once.h"
#include "support/temp_folder.h"

// The windows and varnok-printer may read and save the same config.ini at the same moment: two
// saves never interleave, and a reader never sees a file half-written.
namespace varnok {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using testing::IsWhole;
using testing::Key;
using testing::kHeader;
using testing::kKeysEach;
using testing::kTrailer;
using testing::kWriters;

// Exits 0 when every save succeeded and every read found a whole file.
[[noreturn]] void WriteAtOnce(const std::string& path) {
  const testing::SavesAtOnce saves = testing::SaveAtOnce(path);
  std::_Exit(saves.all_saved && saves.all_whole ? 0 : 1);
}

struct AtOnceCase {
  const char* name;
  bool as_operator;  // in a folder only root may change: the file is written in place
};

void PrintTo(const AtOnceCase& c, std::ostream* os) { *os << c.name; }

class SavesAtOnceTest : public ::testing::TestWithParam<AtOnceCase> {};

TEST_P(SavesAtOnceTest, NoSaveIsLostAndNoReaderSeesHalfAFile) {
  const AtOnceCase& c = GetParam();
  const passwd* user = testing::Operator();
  if (c.as_operator && user == nullptr) GTEST_SKIP() << "needs root and a user nobody";
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, std::string(kHeader) + std::string(kTrailer));
  if (c.as_operator) {
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  }

  EXPECT_EXIT(
      {
        if (c.as_operator) testing::BecomeOperator(*user);
        WriteAtOnce(path);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(IsWhole(ReadBytes(path))) << ReadBytes(path);
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int key = 0; key < kKeysEach; ++key) {
      EXPECT_EQ(ReadIniString(path, "S", Key(writer, key)), "v") << Key(writer, key);
    }
  }
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(Saves, SavesAtOnceTest,
                         ::testing::Values(AtOnceCase{"Replacing", false},
                                           AtOnceCase{"InPlace", true}),
                         varnok::testing::CaseName());

// Another program holds the file locked for ever: a reader gets past a reader's lock, but nothing
// gets past a writer's, and nobody waits for ever.
struct HeldLockCase {
  const char* name;
  int lock;
  bool readable;
};

void PrintTo(const HeldLockCase& c, std::ostream* os) { *os << c.name; }

class HeldLockTest : public ::testing::TestWithParam<HeldLockCase> {};

TEST_P(HeldLockTest, ReadWaitsOnlyForAWriterAndSaveForEveryoneAndNeitherForEver) {
  const HeldLockCase& c = GetParam();
  constexpr std::string_view kChinese = "[LANGUAGE]\r\nLG=CHINESE\r\n";
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kChinese);
  const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, c.lock), 0);

  const ini::FileBytes file = ini::ReadFileBytes(path);
  EXPECT_EQ(file.status, c.readable ? ini::ReadStatus::Ok : ini::ReadStatus::Failed);
  EXPECT_EQ(file.bytes, c.readable ? kChinese : "");
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  ::close(holder);

  EXPECT_EQ(ReadBytes(path), kChinese);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(Locks, HeldLockTest,
                         ::testing::Values(HeldLockCase{"Reader", LOCK_SH, true},
                                           HeldLockCase{"Writer", LOCK_EX, false}),
                         varnok::testing::CaseName());

}  // namespace
}  // namespace varnok
