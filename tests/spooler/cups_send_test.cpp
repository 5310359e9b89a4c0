#include <string>
#include <vector>

#include "spooler/printer_access.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "virtual_printer_test.h"

namespace varnok {
namespace {

using CupsSend = VirtualPrinterTest;

constexpr char kNoSuchPrinter[] =
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.";

TEST_F(CupsSend, CommandBytesArriveUnchangedInAJobTitledLabel) {
  const std::string command = "#UM>SL\r\n#UM>DI1\r\x1b\x01\xff";

  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOK_K540_200DPI", command, Language::English));

  EXPECT_EQ(printers->WaitForJob("VARNOK_K540_200DPI", kJobArrives), command);
  EXPECT_EQ(printers->JobTitles("VARNOK_K540_200DPI"), std::vector<std::string>{"Label"});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CupsSend, DoubleByteTextArrivesWhole) {
  const std::string text = "#UM>标签打印机\r";  // 10 characters, 20 bytes
  ASSERT_EQ(text.size(), 20u);

  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", text, Language::English));

  EXPECT_EQ(printers->WaitForJob("VARNOKX", kJobArrives), text);
}

TEST_F(CupsSend, TwoCallsGiveTwoJobs) {
  EXPECT_TRUE(SendRawText(spooler, messages, "Varnok-Office", "#UM>SL\r\n", Language::English));
  EXPECT_TRUE(SendRawText(spooler, messages, "Varnok-Office", "^@", Language::English));

  EXPECT_EQ(printers->WaitForJob("Varnok-Office", kJobArrives), "#UM>SL\r\n");
  EXPECT_EQ(printers->WaitForJob("Varnok-Office", kJobArrives), "^@");
  EXPECT_EQ(printers->JobTitles("Varnok-Office"), (std::vector<std::string>{"Label", "Label"}));
}

TEST_F(CupsSend, EmptyTextGivesAJobWithNoBytesAndNoMessage) {
  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", "", Language::English));

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(printers->JobTitles("VARNOKX"), std::vector<std::string>{"Label"});
  const auto received = printers->WaitForJob("VARNOKX", kNoJob);
  EXPECT_TRUE(!received || received->empty());
}

TEST_F(CupsSend, MissingQueueShowsTheMessageAndQueuesNothing) {
  const SpoolerResult<void> sent =
      SendRawText(spooler, messages, "VARNOK_GONE", "#UM>SL\r\n", Language::English);
  ASSERT_FALSE(sent);
  EXPECT_EQ(sent.failure().status, 1030);

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kNoSuchPrinter);
  EXPECT_TRUE(printers->JobTitles("VARNOK_GONE").empty());
}

TEST_F(CupsSend, QueueRejectingJobsGivesTheRefusal) {
  printers->RejectJobs("VARNOKX");

  const SpoolerResult<void> sent =
      SendRawText(spooler, messages, "VARNOKX", "#UM>SL\r\n", Language::English);
  ASSERT_FALSE(sent);
  EXPECT_FALSE(sent.failure().no_answer);

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "VarnoK Utility");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(messages.shown[0].text,
            "Could not send to printer VARNOKX: Destination \"VARNOKX\" is not accepting jobs.");
  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

TEST_F(CupsSend, DisabledQueueHoldsTheJobUntilEnabled) {
  printers->DisableQueue("VARNOKX");

  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", "#UM>SL\r\n", Language::English));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));

  printers->EnableQueue("VARNOKX");
  EXPECT_EQ(printers->WaitForJob("VARNOKX", kJobArrives), "#UM>SL\r\n");
}

TEST_F(CupsSend, StoppedSchedulerCountsAsAMissingQueueUntilItIsBack) {
  printers->StopScheduler();
  const SpoolerResult<void> sent =
      SendRawText(spooler, messages, "VARNOKX", "#UM>SL\r\n", Language::English);
  ASSERT_FALSE(sent);
  EXPECT_TRUE(sent.failure().unreachable);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kNoSuchPrinter);
  EXPECT_EQ(CheckQueueAfterSending(spooler, "VARNOKX"), QueueCheck::NotOpened);

  printers->StartScheduler();
  EXPECT_EQ(CheckQueueAfterSending(spooler, "VARNOKX"), QueueCheck::Opened);
  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", "#UM>SL\r\n", Language::English));
  EXPECT_EQ(printers->WaitForJob("VARNOKX", kJobArrives), "#UM>SL\r\n");
}

// A plain `lp` types a file itself (text, or bytes it cannot tell) instead of sending it raw, as
// the Windows spooler's RAW jobs do: the queues' driver files pass such jobs on unchanged too.
TEST_F(CupsSend, PlainLpOfTextOrBytesArrivesUnchanged) {
  testing::TempFolder files;
  for (const std::string& contents : {std::string("^XA^FO50,50^FDVarnoK^FS^XZ\r\n"),
                                      std::string("#UM>SD5\r\x00\x01\xfe\xff", 11)}) {
    const std::string file = files.Write("label.prn", contents);
    const testing::CommandResult lp = testing::RunCommand({"lp", "-d", "VARNOKX", file});
    ASSERT_EQ(lp.exit_code, 0) << lp.output;
    EXPECT_EQ(printers->WaitForJob("VARNOKX", kJobArrives), contents);
  }
}

}  // namespace
}  // namespace varnok
