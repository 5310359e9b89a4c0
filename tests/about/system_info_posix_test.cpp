// The system-information launcher looks for programs the POSIX way: executable files on a
// search path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "about/system_info_search_path.h"
#include "fake_launcher.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

TEST(SysInfoTest, StartsTheFirstInstalledProgramOrSaysNoneIsAvailable) {
  testing::TempFolder folder;
  const auto install = [&](const char* name, mode_t mode) {
    const std::string path = folder.Write(name, "#!/bin/sh\n");
    chmod(path.c_str(), mode);
    return path;
  };
  const Message unavailable{"此时系统信息不可用", "VarnoK Utility", MessageIcon::None,
                            MessageButtons::Ok};
  testing::FakeLauncher launcher;
  testing::MessageRecorder messages;
  const std::string search_path = "relative:/no/such:" + folder.path();

  StartSysInfo(launcher, messages, search_path);  // nothing installed
  install("hardinfo", 0644);                      // not executable: not a program
  install("gnome-system-monitor", 0755);
  const std::string preferred = install("kinfocenter", 0755);
  StartSysInfo(launcher, messages, search_path);
  launcher.starts = false;
  StartSysInfo(launcher, messages, search_path);

  EXPECT_EQ(launcher.started, (std::vector<std::string>{preferred, preferred}));
  EXPECT_EQ(messages.shown, (std::vector<Message>{unavailable, unavailable}));
}

}  // namespace
}  // namespace varnok
