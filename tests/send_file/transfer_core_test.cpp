#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/blanks.h"
#include "recording_sdk.h"
#include "send_file/file_send.h"
#include "send_file/folder_listing.h"
#include "send_file/mounted_volumes.h"
#include "send_file/send_path.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using Strings = std::vector<std::string>;

TEST(SendPathTest, JoinsAsIsAndTrimsOnlyTheBlanksAround) {
  // A root keeps its doubled separator, on Linux and on Windows alike.
  for (const auto& [folder, separator, path] :
       std::vector<std::tuple<std::string, char, std::string>>{
           {"/", '/', "//a.prn"},
           {"/home/op", '/', "/home/op/a.prn"},
           {"C:\\", '\\', "C:\\\\a.prn"},
           {"D:\\标签 文件", '\\', "D:\\标签 文件\\a.prn"}}) {
    EXPECT_EQ(BuildSendPath(folder, "a.prn", separator), path) << folder;
  }
  for (const auto& [typed, sent] : std::vector<std::pair<std::string, std::string>>{
           {"  /tmp/a b.prn \t", "/tmp/a b.prn"}, {"   ", ""}, {"", ""}}) {
    EXPECT_EQ(TrimBlanks(typed), sent) << typed;
  }
}

TEST(MountedVolumesTest, KeepsRealFileSystemsAndFindsTheOneHoldingAFolder) {
  const Strings volumes = ParseMountPoints(
      "proc /proc proc rw 0 0\ntmpfs /dev/shm tmpfs rw 0 0\n/dev/vda / ext4 rw 0 0\n"
      "/dev/sdb1 /media/USB\\040STICK vfat rw 0 0\nserver:/x /mnt/share nfs4 rw 0 0\n"
      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\nbroken line\n");
  EXPECT_EQ(volumes, (Strings{"/", "/home", "/media/USB STICK", "/mnt/share"}));
  EXPECT_EQ(ParseMountPoints(""), Strings{"/"});

  for (const auto& [folder, volume] : std::vector<std::pair<std::string, std::string>>{
           {"/home/op/x", "/home"}, {"/home", "/home"}, {"/homework", "/"}, {"rel", ""}}) {
    EXPECT_EQ(VolumeHolding(volumes, folder, '/'), volume) << folder;
  }
  const Strings drives = {"C:\\", "D:\\", "Z:\\"};
  for (const auto& [folder, drive] : std::vector<std::pair<std::string, std::string>>{
           {"C:\\users\\op", "C:\\"}, {"Z:\\", "Z:\\"}, {"E:\\x", ""}, {"\\\\server\\share", ""}}) {
    EXPECT_EQ(VolumeHolding(drives, folder, '\\'), drive) << folder;
  }
}

TEST(FolderListingTest, ListsFoldersAndFilesCaseBlindHidingDotNamesAndChainsDown) {
  testing::TempFolder folder;
  for (const char* name : {"b.prn", "A.prn", ".hidden"}) folder.Write(name, "x");
  for (const char* name : {"Zeta", "alpha", ".cache"}) {
    std::filesystem::create_directory(folder.path() + "/" + name);
  }
  const FolderListing listing = ListFolder(folder.path());
  EXPECT_EQ(listing.folders, (Strings{"alpha", "Zeta"}));
  EXPECT_EQ(listing.files, (Strings{"A.prn", "b.prn"}));
  EXPECT_NE(ListFolder(folder.path() + "/gone").error, "");

  EXPECT_EQ(FolderChain("/", "/home/op", '/'), (Strings{"/", "/home", "/home/op"}));
  EXPECT_EQ(FolderChain("/media/usb", "/media/usb/a", '/'),
            (Strings{"/media/usb", "/media/usb/a"}));
  EXPECT_EQ(FolderChain("C:\\", "C:\\users\\操作员", '\\'),
            (Strings{"C:\\", "C:\\users", "C:\\users\\操作员"}));
}

struct NoProgress : SendProgress {
  bool Continue(std::uint64_t, std::uint64_t) override { return true; }
};

TEST(FileSendTest, EmptyPathOnlyNoticesOtherwiseFiveCallsInOrderWithTheTrimmedPath) {
  struct Case {
    std::string typed;
    std::optional<SdkFailure> failure;
    SendFileResult result;
    Strings calls;
    std::string message;
  };
  const Strings five = {"OpenPort(VARNOK R5)", "VNX_ClearBuffer()", "VNX_SendFile(/a b.prn)",
                        "VNX_PrintLabel(0,0)", "ClosePort()"};
  const std::vector<Case> cases = {
      {"", {}, SendFileResult::NothingToSend, {}, "Please select a file,at first!"},
      {" /a b.prn  ", {}, SendFileResult::Sent, five, ""},
      {"/a b.prn", SdkFailure{SdkError::NoSuchPrinter, "VARNOK R5", "", "gone"},
       SendFileResult::NotSent, five, "The printer \"VARNOK R5\" cannot be reached (gone)."}};
  for (const auto& c : cases) {
    testing::RecordingSdk sdk;
    sdk.next_failure = c.failure;
    testing::MessageRecorder messages;
    NoProgress progress;
    const FileSendOutcome sent = SendFile(sdk, messages, "VARNOK R5", c.typed, progress);
    EXPECT_EQ(sent.result, c.result);
    EXPECT_EQ(sent.failure, c.failure);
    EXPECT_EQ(sdk.calls, c.calls);
    const std::string shown = messages.shown.empty() ? "" : messages.shown[0].text;
    EXPECT_EQ(shown.substr(0, c.message.size()), c.message);
  }
}

}  // namespace
}  // namespace varnok
