#include <cups/cups.h>

#include <sstream>
#include <string>
#include <vector>

#include "printer/printer_access.h"
#include "support/run_command.h"
#include "virtual_printer_test.h"

namespace varnok {
namespace {

using CupsQueueInfo = VirtualPrinterTest;

TEST_F(CupsQueueInfo, EveryQueueReportsItsDriverKeptTo64Bytes) {
  for (const auto& queue : testing::VirtualPrinters::StandardQueues()) {
    SCOPED_TRACE(queue.name);
    EXPECT_EQ(GetQueueDriverName(spooler, messages, queue.name, Language::English),
              queue.driver.substr(0, 64));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CupsQueueInfo, MissingQueueGivesTheOpenFailureWith1030) {
  EXPECT_EQ(GetQueueDriverName(spooler, messages, "VARNOK_GONE", Language::Chinese), std::nullopt);

  EXPECT_EQ(messages.shown,
            (std::vector<Message>{{"Cannot open printer VARNOK_GONE, Error: 1030", "VarnoK Utility",
                                   MessageIcon::None, MessageButtons::Ok}}));
}

TEST_F(CupsQueueInfo, NamesCupsCannotHoldAreMissingQueues) {
  for (const char* name : {"", "VARNOK X", "VARNOKX/../VARNOKX", "VARNOKX#1", "VARNOKX?a=b"}) {
    SCOPED_TRACE(name);
    auto failure = spooler.OpenQueue(name);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->status, 1030);
  }
}

TEST_F(CupsQueueInfo, StoppedSchedulerCannotOpenTheQueue) {
  printers->StopScheduler();

  EXPECT_EQ(GetQueueDriverName(spooler, messages, "VARNOKX", Language::English), std::nullopt);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.starts_with("Cannot open printer VARNOKX, Error: "));
  const QueueList list = ListBrandQueues(spooler);
  EXPECT_TRUE(list.names.empty());
  EXPECT_TRUE(list.failure.has_value());
  // The reason names the scheduler and says what is wrong, not what errno was left holding.
  const auto failure = spooler.OpenQueue("VARNOKX");
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->reason, "Cannot reach the print system at " + printers->ServerSocket() +
                                 ": it is not running or does not take connections");
}

TEST_F(CupsQueueInfo, SchedulerAddressThatCannotBeFoundIsNamed) {
  cupsSetServer("no-such-scheduler.invalid");
  const auto failure = spooler.OpenQueue("VARNOKX");
  cupsSetServer(printers->ServerSocket().c_str());
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->unreachable);
  EXPECT_EQ(failure->reason,
            "Cannot reach the print system at no-such-scheduler.invalid:631: its address cannot "
            "be found");
}

TEST_F(CupsQueueInfo, QueuesAreListedInCupsOrder) {
  std::vector<std::string> listed_by_lpstat;
  std::istringstream lines(testing::RunCommand({"lpstat", "-e"}).output);
  for (std::string line; std::getline(lines, line);) listed_by_lpstat.push_back(line);

  EXPECT_EQ(spooler.QueueNames(), listed_by_lpstat);
  // CUPS sorts without regard to case: not the byte order "VARNOKX" < "VARNOK_..." < "Varnok-".
  EXPECT_EQ(ListBrandQueues(spooler).names,
            (std::vector<std::string>{"Varnok-Office", "VARNOK_K540_200DPI", "VARNOK_LongDriver",
                                      "VARNOK_Z9", "VARNOKX"}));
}

}  // namespace
}  // namespace varnok
