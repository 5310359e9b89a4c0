// What only a POSIX file system has: modes and the umask, symbolic links, named pipes, a
// process's file-size limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/ini_file.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using namespace std::chrono_literals;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kFile = "; keep me\r\n[LANGUAGE]\r\nLG=CHINESE\r\n";

// Opening a named pipe for reading waits for a writer: the program hung at start-up.
TEST(ReadIniStringMissing, NamedPipeReadsEmptyAndIsNotWrittenWithoutWaiting) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  auto calls = std::async(std::launch::async, [&path] {
    return std::pair(ReadIniString(path, "LANGUAGE", "LG"),
                     WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  });
  bool waited = false;
  while (calls.wait_for(waited ? 100ms : 10s) == std::future_status::timeout) {
    waited = true;
    // A writer that comes and goes lets a waiting open go on, so the test ends.
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  EXPECT_FALSE(waited) << "the settings file functions waited for a writer to the pipe";
  EXPECT_EQ(calls.get(), std::pair(std::string(), false));
  EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST(WriteIniStringFile, NewFileFollowsTheUmask) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  const mode_t old_mask = ::umask(022);
  const bool written = WriteIniString(path, "LANGUAGE", "LG", "CHINESE");
  ::umask(old_mask);
  ASSERT_TRUE(written);
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644U);
}

TEST(WriteIniStringFile, KeepsPermissionsOfTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, "[LANGUAGE]\r\nLG=CHINESE\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640U);
}

TEST(WriteIniStringFile, WritesThroughASymbolicLink) {
  TempFolder folder;
  const std::string target = folder.File("real.ini");
  const std::string path = folder.File("config.ini");
  WriteBytes(target, "[LANGUAGE]\r\nLG=CHINESE\r\n");
  std::filesystem::create_symlink("real.ini", path);
  ASSERT_TRUE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadBytes(target), "[LANGUAGE]\r\nLG=ENGLISH\r\n");
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"config.ini", "real.ini"}));
}

TEST(WriteIniStringFailure, DanglingSymbolicLink) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  std::filesystem::create_symlink("missing/real.ini", path);
  EXPECT_FALSE(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH"));
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

// In the child of a death test: writes with at most 16 bytes per file and exits 0 when the
// write reported failure.
void WriteWithFileSizeLimit(const std::string& path) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{16, 16};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::_Exit(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH") ? 1 : 0);
}

// A full disk: the file-size limit makes the write of the temporary file fail part-way. Run in
// a child process, which alone gets the limit.
TEST(WriteIniStringFailureDeathTest, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kFile);
  EXPECT_EXIT(WriteWithFileSizeLimit(path), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadBytes(path), kFile);
  EXPECT_EQ(ReadIniString(path, "LANGUAGE", "LG"), "CHINESE");
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});
}

TEST(WriteIniStringFailureDeathTest, FullDiskLeavesNoNewFile) {
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  EXPECT_EXIT(WriteWithFileSizeLimit(path), ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace varnok
