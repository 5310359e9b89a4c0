#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "spooler/system_spooler.h"
#include "spooler/windows_spooler.h"

// What the Windows spooler says about queues it does not have, and what the print server
// leaves to the maker's driver installer. Queues that exist are tested through wine's spooler
// and a private CUPS scheduler (wine_spooler_test on Linux).
namespace varnok {
namespace {

struct MissingQueueCase {
  const char* name;
  std::function<SpoolerFailure(Spooler&, const std::string&)> ask;
};

void PrintTo(const MissingQueueCase& c, std::ostream* out) { *out << c.name; }

class MissingQueueTest : public ::testing::TestWithParam<MissingQueueCase> {};

// Every operation on a queue that is not installed fails with the spooler's own code, also for
// a name in Chinese, which must reach the spooler whole.
TEST_P(MissingQueueTest, FailsWithTheSpoolersCode) {
  const std::unique_ptr<Spooler> spooler = MakeSystemSpooler();
  for (const std::string queue : {"VARNOK_NOT_INSTALLED", "VARNOK_标签_未安装"}) {
    const SpoolerFailure failure = GetParam().ask(*spooler, queue);
    EXPECT_EQ(failure.status, ERROR_INVALID_PRINTER_NAME) << queue;
    EXPECT_FALSE(failure.reason.empty()) << queue;
    EXPECT_FALSE(failure.no_answer) << queue;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, MissingQueueTest,
    ::testing::Values(MissingQueueCase{"OpenQueue",
                                       [](Spooler& spooler, const std::string& queue) {
                                         return spooler.OpenQueue(queue).failure();
                                       }},
                      MissingQueueCase{"DescribeQueue",
                                       [](Spooler& spooler, const std::string& queue) {
                                         const SpoolerFailure failure =
                                             spooler.DescribeQueue(queue).failure();
                                         EXPECT_EQ(failure.describe, DescribeFailure::CannotOpen);
                                         return failure;
                                       }},
                      MissingQueueCase{"CreateRawJob",
                                       [](Spooler& spooler, const std::string& queue) {
                                         return spooler.CreateRawJob(queue, "Label").failure();
                                       }}),
    [](const auto& test) { return std::string(test.param.name); });

// A spooler that takes longer than the limit (here none at all) is reported as not answering,
// whatever it says later.
TEST(WindowsSpoolerTest, StepsPastTheLimitAreReportedAsNoAnswer) {
  WindowsSpooler spooler(StepLimits{std::chrono::seconds(0), std::chrono::seconds(0)});
  const std::string queue = "VARNOK_NOT_INSTALLED";
  const SpoolerResult<std::vector<std::string>> listed = spooler.ListQueues();
  EXPECT_TRUE(!listed || listed->empty());
  EXPECT_TRUE(spooler.OpenQueue(queue).failure().no_answer);
  const SpoolerFailure description = spooler.DescribeQueue(queue).failure();
  EXPECT_EQ(description.describe, DescribeFailure::SizeQueryFailed);
  EXPECT_TRUE(description.no_answer);
  EXPECT_TRUE(spooler.CreateRawJob(queue, "Label").failure().no_answer);
}

TEST(WindowsPrintServerTest, FindingAndAddingPrintersIsLeftToTheDriverInstaller) {
  const std::unique_ptr<PrintServer> server = MakeSystemPrintServer();
  const SpoolerFailure devices = server->Devices(5).failure();
  const SpoolerFailure drivers = server->Drivers("VARNOK").failure();
  const SpoolerFailure added =
      server->AddQueue({"VARNOK_NEW", "socket://127.0.0.1:9100", "varnok.ppd", ""}).failure();
  for (const SpoolerFailure& failure : {devices, drivers, added}) {
    EXPECT_EQ(failure.reason,
              "not available on Windows: add printers with the maker's driver installer");
  }
  // Named as Windows names the computer to every program.
  ASSERT_NE(std::getenv("COMPUTERNAME"), nullptr);
  EXPECT_EQ(server->Name(), std::getenv("COMPUTERNAME"));
}

}  // namespace
}  // namespace varnok
