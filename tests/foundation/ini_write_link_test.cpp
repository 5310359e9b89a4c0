#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "case_name.h"
#include "foundation/ini_file.h"
#include "operator_user.h"
#include "support/temp_folder.h"

// Root saves config.ini in a folder where someone else may have put a link or a file of their
// own: a link is followed only in a folder nobody but root can change, and in a folder others can
// change root writes no file but its own. A refused save writes nothing anywhere.
namespace varnok {
namespace {

using testing::kOperatorsGroup;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kSecret = "root:only\n";
constexpr std::string_view kOwn = "[LANGUAGE]\r\nLG=CHINESE\r\n";

enum class Planted {
  LinkToRootsFile,     // config.ini: a link to a root-only file in a root-only folder
  LinkToRootsFolder,   // the folder of config.ini: a link to a root-only folder
  OperatorsFile,       // config.ini: a file of the operator's
  HardLinkOfRootsFile  // config.ini: a second name of the root-only file
};

struct LinkCase {
  const char* name;
  mode_t folder_mode;  // the folder is root's and the operators' group's
  Planted planted;
  bool by_operator;  // planted by the operator, as the folder allows; otherwise by root
  bool saved;
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

struct Paths {
  std::string shared;  // the folder that holds what is planted
  std::string secret;  // a root-only folder holding config.ini, a root-only file
  std::string config;  // the path root saves
  std::string victim;  // the file the save would write
};

void Plant(const Paths& paths, Planted planted) {
  std::error_code error;
  switch (planted) {
    case Planted::LinkToRootsFile:
      std::filesystem::create_symlink(paths.secret + "/config.ini", paths.config, error);
      break;
    case Planted::LinkToRootsFolder:
      std::filesystem::create_directory_symlink(paths.secret, paths.shared + "/sub", error);
      break;
    case Planted::OperatorsFile:
      WriteBytes(paths.config, kOwn);
      break;
    case Planted::HardLinkOfRootsFile:
      std::filesystem::create_hard_link(paths.secret + "/config.ini", paths.config, error);
      break;
  }
  if (error) std::_Exit(3);
}

class PlantedLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(PlantedLinkTest, FollowedOnlyWhereNobodyButRootCouldHavePlantedIt) {
  const LinkCase& c = GetParam();
  const passwd* user = testing::Operator();
  if (user == nullptr) GTEST_SKIP() << "needs root and a user nobody";
  TempFolder folder;
  Paths paths{folder.File("shared"), folder.File("secret"), folder.File("shared/config.ini"), ""};
  paths.victim = paths.secret + "/config.ini";
  if (c.planted == Planted::LinkToRootsFolder) paths.config = paths.shared + "/sub/config.ini";
  if (c.planted == Planted::OperatorsFile) paths.victim = paths.config;
  ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(paths.secret.c_str(), 0700), 0);
  WriteBytes(paths.secret + "/config.ini", kSecret);
  ASSERT_EQ(::chmod((paths.secret + "/config.ini").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(paths.shared.c_str(), 0700), 0);
  ASSERT_EQ(::chown(paths.shared.c_str(), 0, kOperatorsGroup), 0);
  ASSERT_EQ(::chmod(paths.shared.c_str(), c.folder_mode), 0);

  if (c.by_operator) {
    EXPECT_EXIT(
        {
          testing::BecomeOperator(*user);
          Plant(paths, c.planted);
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
  } else {
    Plant(paths, c.planted);
  }
  const std::string victim_before = ReadBytes(paths.victim);

  EXPECT_EQ(WriteIniString(paths.config, "LANGUAGE", "LG", "ENGLISH"), c.saved);
  const std::string victim_after = ReadBytes(paths.victim);
  if (c.saved) {
    EXPECT_NE(victim_after.find("LG=ENGLISH"), std::string::npos) << victim_after;
  } else {
    EXPECT_EQ(victim_after, victim_before);
    EXPECT_EQ(ReadBytes(paths.secret + "/config.ini"), kSecret);
  }
  // Whatever was planted is still there, and nothing was added beside it.
  const std::string planted_name = c.planted == Planted::LinkToRootsFolder ? "sub" : "config.ini";
  EXPECT_EQ(TempFolder::EntriesOf(paths.shared), std::set<std::string>{planted_name});
  EXPECT_EQ(TempFolder::EntriesOf(paths.secret), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Planted, PlantedLinkTest,
    ::testing::Values(
        // The operators' group may change the folder: what they plant is refused.
        LinkCase{"LinkInGroupsFolder", 0770, Planted::LinkToRootsFile, true, false},
        LinkCase{"FolderLinkInGroupsFolder", 0770, Planted::LinkToRootsFolder, true, false},
        LinkCase{"OperatorsFileInGroupsFolder", 0770, Planted::OperatorsFile, true, false},
        LinkCase{"HardLinkInGroupsFolder", 0770, Planted::HardLinkOfRootsFile, false, false},
        // A folder everybody may add to, as /tmp.
        LinkCase{"LinkInStickyFolder", 01777, Planted::LinkToRootsFile, true, false},
        // Only root may change the folder: root's own links are followed.
        LinkCase{"LinkInRootsFolder", 0755, Planted::LinkToRootsFile, false, true},
        LinkCase{"FolderLinkInRootsFolder", 0755, Planted::LinkToRootsFolder, false, true}),
    varnok::testing::CaseName());

}  // namespace
}  // namespace varnok
