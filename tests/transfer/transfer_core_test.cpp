#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "recording_sdk.h"
#include "support/message_recorder.h"
#include "temp_folder.h"
#include "transfer/file_send.h"
#include "transfer/folder_listing.h"
#include "transfer/mounted_volumes.h"
#include "transfer/send_path.h"
#include "transfer/send_progress_text.h"
#include "transfer/transfer_messages.h"

namespace varnok {
namespace {

using Strings = std::vector<std::string>;

TEST(SendPathTest, JoinsFolderAndNameKeepingTheDoubledSeparatorAtTheRoot) {
  EXPECT_EQ(BuildSendPath("/", "a.prn"), "//a.prn");
  EXPECT_EQ(BuildSendPath("/home/op/labels", "a b.prn"), "/home/op/labels/a b.prn");
}

TEST(SendPathTest, TrimsBlanksAroundThePathOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"  /tmp/a b.prn  ", "/tmp/a b.prn"}, {"\t/x\t", "/x"}, {"   ", ""}, {"", ""}, {"/y", "/y"}};
  for (const auto& [typed, sent] : cases) EXPECT_EQ(TrimBlanks(typed), sent) << typed;
}

TEST(MountPointsTest, KeepsRealFileSystemsSortedOnce) {
  const std::string table =
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /dev/shm tmpfs rw 0 0\n"
      "/dev/vda / ext4 rw 0 0\n"
      "/dev/sdb1 /media/op/USB\\040STICK vfat rw 0 0\n"
      "server:/export /mnt/share nfs4 rw 0 0\n"
      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "broken line\n";
  EXPECT_EQ(ParseMountPoints(table), (Strings{"/", "/home", "/media/op/USB STICK", "/mnt/share"}));
  EXPECT_EQ(ParseMountPoints(""), Strings{"/"});
}

TEST(MountPointsTest, TheVolumeHoldingAFolderIsTheLongestWholeMatch) {
  const Strings volumes = {"/", "/media/usb", "/media/usb2"};
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/media/usb2/labels", "/media/usb2"},
      {"/media/usb", "/media/usb"},
      {"/media/usbx", "/"},
      {"/home/op", "/"},
      {"relative", ""}};
  for (const auto& [folder, volume] : cases) EXPECT_EQ(VolumeHolding(volumes, folder), volume);
}

TEST(MountPointsTest, ThisSystemHasTheRootVolume) {
  const Strings volumes = MountedVolumes();
  EXPECT_NE(std::find(volumes.begin(), volumes.end(), "/"), volumes.end());
}

TEST(FolderListingTest, ChainRunsFromTheVolumeDownToTheFolder) {
  EXPECT_EQ(FolderChain("/", "/"), Strings{"/"});
  EXPECT_EQ(FolderChain("/", "/home/op"), (Strings{"/", "/home", "/home/op"}));
  EXPECT_EQ(FolderChain("/media/usb", "/media/usb/a/b"),
            (Strings{"/media/usb", "/media/usb/a", "/media/usb/a/b"}));
  EXPECT_EQ(ChildFolder("/", "etc"), "/etc");
  EXPECT_EQ(ChildFolder("/media/usb", "a"), "/media/usb/a");
}

TEST(FolderListingTest, SplitsFoldersFromFilesSortedWithoutCaseAndHidesDotNames) {
  testing::TempFolder folder;
  for (const char* name : {"b.prn", "A.prn", "a.prn", ".hidden"}) folder.Write(name, "x");
  for (const char* name : {"Zeta", "alpha", ".cache"}) {
    std::filesystem::create_directory(folder.path() + "/" + name);
  }
  const FolderListing listing = ListFolder(folder.path());
  EXPECT_EQ(listing.error, "");
  EXPECT_EQ(listing.folders, (Strings{"alpha", "Zeta"}));
  EXPECT_EQ(listing.files, (Strings{"A.prn", "a.prn", "b.prn"}));

  const FolderListing missing = ListFolder(folder.path() + "/gone");
  EXPECT_NE(missing.error, "");
  EXPECT_TRUE(missing.folders.empty() && missing.files.empty());
}

class NoProgress : public SendProgress {
 public:
  bool Continue(std::uint64_t, std::uint64_t) override { return true; }
};

TEST(FileSendTest, AnEmptyPathOnlyBringsTheNotice) {
  testing::RecordingSdk sdk;
  testing::MessageRecorder messages;
  NoProgress progress;
  EXPECT_EQ(SendFile(sdk, messages, "VARNOK_K540", "", progress), SendFileResult::NothingToSend);
  EXPECT_TRUE(sdk.calls.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], (Message{"Please select a file,at first!", "Notice",
                                        MessageIcon::Exclamation, MessageButtons::Ok}));
}

TEST(FileSendTest, MakesTheFiveCallsInOrderWithTheTrimmedPath) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"  /tmp/a b.prn ", "/tmp/a b.prn"}, {"   ", ""}};
  for (const auto& [typed, sent] : cases) {
    testing::RecordingSdk sdk;
    testing::MessageRecorder messages;
    NoProgress progress;
    EXPECT_EQ(SendFile(sdk, messages, "Varnok R5", typed, progress), SendFileResult::Sent);
    EXPECT_EQ(sdk.calls,
              (Strings{"OpenPort(Varnok R5)", "VNX_ClearBuffer()", "VNX_SendFile(" + sent + ")",
                       "VNX_PrintLabel(0,0)", "ClosePort()"}));
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(FileSendTest, AFailureIsShownNamingThePrinterOrTheFile) {
  struct Case {
    SdkFailure failure;
    std::string mentions;
  };
  const std::vector<Case> cases = {
      {{SdkError::EmptyPrinterName, "", "", ""}, "No printer is selected"},
      {{SdkError::NoSuchPrinter, "VARNOK_X", "", "gone"}, "\"VARNOK_X\" cannot be reached (gone)"},
      {{SdkError::FileMissing, "P", "/tmp/a.prn", ""}, "\"/tmp/a.prn\" does not exist"},
      {{SdkError::FileMissing, "P", "", ""}, "No file name was given"},
      {{SdkError::FileUnreadable, "P", "/tmp/d", "it is a folder"},
       "\"/tmp/d\" cannot be read (it is a folder)"},
      {{SdkError::JobRefused, "VARNOK_X", "/tmp/a.prn", "not accepting"},
       "\"VARNOK_X\" did not take the file \"/tmp/a.prn\" (not accepting)"},
      {{SdkError::Cancelled, "VARNOK_X", "/tmp/a.prn", ""}, "was cancelled"}};
  for (const auto& c : cases) {
    testing::RecordingSdk sdk;
    sdk.next_failure = c.failure;
    testing::MessageRecorder messages;
    NoProgress progress;
    EXPECT_EQ(SendFile(sdk, messages, c.failure.printer, "/tmp/a.prn", progress),
              SendFileResult::NotSent);
    EXPECT_EQ(sdk.calls.size(), 5u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(c.mentions), std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].title, "VarnoK Utility");
  }
}

TEST(SendProgressTextTest, ShowsBytesWithThousandsAndTheDialogOnlyAboveOneMebibyte) {
  EXPECT_EQ(ProgressText("a.prn", "VARNOK_K540", 1048576, 5242880),
            "Sending \"a.prn\" to VARNOK_K540 ...\n1,048,576 of 5,242,880 bytes sent");
  EXPECT_EQ(ProgressText("a", "b", 0, 999), "Sending \"a\" to b ...\n0 of 999 bytes sent");
  EXPECT_FALSE(ShowsProgressDialog(1024 * 1024));
  EXPECT_TRUE(ShowsProgressDialog(1024 * 1024 + 1));
}

TEST(TransferMessagesTest, UnreadableDriveAndFolderNameThePlace) {
  EXPECT_EQ(UnreadableDriveMessage("/media/cd", "No medium found").text,
            "The drive \"/media/cd\" cannot be read (No medium found).");
  EXPECT_EQ(UnreadableFolderMessage("/root/x", "").text, "The folder \"/root/x\" cannot be read.");
}

}  // namespace
}  // namespace varnok
