#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "operator_user.h"
#include "support/temp_folder.h"

// A config.ini of root's shared through its group: the operator, a member of the group, saves it.
namespace varnok {
namespace {

using testing::kOperatorsGroup;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The value starts at byte 15, so a 16-byte file-size limit fails the write inside it.
constexpr std::string_view kBefore = "[LANGUAGE]\r\nLG=CHINESE\r\n; shared by the operators\r\n";
constexpr std::string_view kAfter = "[LANGUAGE]\r\nLG=ENGLISH\r\n; shared by the operators\r\n";

struct SharedFileCase {
  const char* name;
  mode_t folder_mode;      // the folder is root's and the operators' group's
  rlim_t file_size_limit;  // a small limit stands for a full disk
  bool written;
  bool replaced;  // a new file of the operator's, rather than root's file written in place
};

void PrintTo(const SharedFileCase& c, std::ostream* os) { *os << c.name; }

// In the child of a death test: becomes the operator, writes, and exits 0 when the write
// succeeded.
void WriteAs(const passwd& user, const std::string& path, rlim_t file_size_limit) {
  testing::BecomeOperator(user);
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{file_size_limit, file_size_limit};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::_Exit(WriteIniString(path, "LANGUAGE", "LG", "ENGLISH") ? 0 : 1);
}

class SharedFileTest : public ::testing::TestWithParam<SharedFileCase> {};

TEST_P(SharedFileTest, SavedWhereTheFileIsWritableKeepingGroupAndMode) {
  const SharedFileCase& c = GetParam();
  const passwd* user = testing::Operator();
  if (user == nullptr) GTEST_SKIP() << "needs root and a user nobody";
  TempFolder folder;
  const std::string path = folder.File("config.ini");
  WriteBytes(path, kBefore);
  ASSERT_EQ(::chown(path.c_str(), 0, kOperatorsGroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  ASSERT_EQ(::chown(folder.path().c_str(), 0, kOperatorsGroup), 0);
  ASSERT_EQ(::chmod(folder.path().c_str(), c.folder_mode), 0);

  EXPECT_EXIT(WriteAs(*user, path, c.file_size_limit), ::testing::ExitedWithCode(c.written ? 0 : 1),
              "");
  EXPECT_EQ(ReadBytes(path), c.written ? kAfter : kBefore);
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, c.replaced ? user->pw_uid : 0U);
  EXPECT_EQ(status.st_gid, kOperatorsGroup);
  EXPECT_EQ(status.st_mode & 07777, 0664U);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"config.ini"});  // no temporary file left
}

INSTANTIATE_TEST_SUITE_P(
    Folder, SharedFileTest,
    ::testing::Values(SharedFileCase{"NotWritable", 0755, RLIM_INFINITY, true, false},
                      // Anyone may add files, but only root may replace root's file.
                      SharedFileCase{"Sticky", 01777, RLIM_INFINITY, true, false},
                      SharedFileCase{"NotWritableFullDisk", 0755, 16, false, false},
                      // The operator may replace the file but not give it to root.
                      SharedFileCase{"GroupWritable", 0775, RLIM_INFINITY, true, true}),
    varnok::testing::CaseName());

}  // namespace
}  // namespace varnok
