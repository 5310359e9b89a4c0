#include <cups/cups.h>

#include <sstream>
#include <string>
#include <vector>

#include "spooler/printer_access.h"
#include "support/run_command.h"
#include "virtual_printer_test.h"

namespace varnok {
namespace {

using CupsQueueInfo = VirtualPrinterTest;

TEST_F(CupsQueueInfo, EveryQueueReportsItsDriverKeptTo64Bytes) {
  for (const auto& queue : testing::VirtualPrinters::StandardQueues()) {
    SCOPED_TRACE(queue.name);
    EXPECT_EQ(GetQueueDriverName(spooler, messages, queue.name, Language::English).value().name,
              queue.driver.substr(0, 64));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CupsQueueInfo, MissingQueueGivesTheOpenFailureWith1030) {
  EXPECT_FALSE(GetQueueDriverName(spooler, messages, "VARNOK_GONE", Language::Chinese));

  EXPECT_EQ(messages.shown,
            (std::vector<Message>{{"Cannot open printer VARNOK_GONE, Error: 1030", "VarnoK Utility",
                                   MessageIcon::None, MessageButtons::Ok}}));
}

TEST_F(CupsQueueInfo, NamesCupsCannotHoldAreMissingQueues) {
  for (const char* name : {"", "VARNOK X", "VARNOKX/../VARNOKX", "VARNOKX#1", "VARNOKX?a=b"}) {
    SCOPED_TRACE(name);
    const SpoolerResult<void> opened = spooler.OpenQueue(name);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.failure().status, 1030);
  }
}

TEST_F(CupsQueueInfo, StoppedSchedulerCannotOpenTheQueue) {
  printers->StopScheduler();

  EXPECT_FALSE(GetQueueDriverName(spooler, messages, "VARNOKX", Language::English));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.starts_with("Cannot open printer VARNOKX, Error: "));
  EXPECT_FALSE(ListBrandQueues(spooler));
  // The reason names the scheduler and says what is wrong, not what errno was left holding.
  const SpoolerResult<void> opened = spooler.OpenQueue("VARNOKX");
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.failure().reason, "Cannot reach the print system at " +
                                         printers->ServerSocket() +
                                         ": it is not running or does not take connections");
}

TEST_F(CupsQueueInfo, SchedulerAddressThatCannotBeFoundIsNamed) {
  cupsSetServer("no-such-scheduler.invalid");
  const SpoolerResult<void> opened = spooler.OpenQueue("VARNOKX");
  cupsSetServer(printers->ServerSocket().c_str());
  ASSERT_FALSE(opened);
  EXPECT_TRUE(opened.failure().unreachable);
  EXPECT_EQ(opened.failure().reason,
            "Cannot reach the print system at no-such-scheduler.invalid:631: its address cannot "
            "be found");
}

TEST_F(CupsQueueInfo, QueuesAreListedInCupsOrder) {
  std::vector<std::string> listed_by_lpstat;
  std::istringstream lines(testing::RunCommand({"lpstat", "-e"}).output);
  for (std::string line; std::getline(lines, line);) listed_by_lpstat.push_back(line);

  EXPECT_EQ(*spooler.ListQueues(), listed_by_lpstat);
  // CUPS sorts without regard to case: not the byte order "VARNOKX" < "VARNOK_..." < "Varnok-".
  EXPECT_EQ(ListBrandQueues(spooler).value(),
            (std::vector<std::string>{"Varnok-Office", "VARNOK_K540_200DPI", "VARNOK_LongDriver",
                                      "VARNOK_Z9", "VARNOKX"}));
}

}  // namespace
}  // namespace varnok
