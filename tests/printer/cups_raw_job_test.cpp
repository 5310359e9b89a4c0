#include <chrono>
#include <string>

#include "virtual_printer_test.h"

namespace varnok {
namespace {

using CupsRawJob = VirtualPrinterTest;

std::unique_ptr<RawJob> CreateJob(Spooler& spooler, const char* queue) {
  SpoolerFailure failure;
  auto job = spooler.CreateRawJob(queue, "Label", failure);
  EXPECT_NE(job, nullptr) << failure.reason;
  return job;
}

TEST_F(CupsRawJob, ManyWritesArriveAsOneWholeJob) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  std::string expected;
  for (int chunk = 0; chunk < 200; ++chunk) {
    std::string bytes(10'000, static_cast<char>('A' + chunk % 26));
    ASSERT_TRUE(job->Write(bytes)) << job->Failure().reason;
    expected += bytes;
  }
  ASSERT_TRUE(job->Finish()) << job->Failure().reason;

  auto received = printers->WaitForJob("VARNOKX", kJobArrives);
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->size(), expected.size());
  EXPECT_TRUE(*received == expected);
}

TEST_F(CupsRawJob, AnUnfinishedJobIsCancelledAndPrintsNothing) {
  CreateJob(spooler, "VARNOKX")->Write("half a command");

  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

TEST_F(CupsRawJob, SchedulerStoppingHalfWayFailsTheJob) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(job->Write("#UM>SL\r\n"));

  printers->StopScheduler();
  const std::string more(1'000'000, 'x');

  EXPECT_FALSE(job->Write(more) && job->Finish());
  EXPECT_NE(job->Failure().status, 0);
}

// A scheduler that hangs half-way (it still takes connections but answers nothing): the job
// fails for want of an answer within the program's wait, and dropping it waits no more.
TEST_F(CupsRawJob, SchedulerHangingHalfWayFailsTheJobInGoodTime) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(job->Write("#UM>SL\r\n"));

  printers->FreezeScheduler();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(job->Write(std::string(1'000'000, 'x')) && job->Finish());
  const SpoolerFailure failure = job->Failure();
  job.reset();
  const auto took = std::chrono::steady_clock::now() - start;
  printers->ThawScheduler();

  EXPECT_TRUE(failure.no_answer) << failure.reason;
  EXPECT_LT(took, std::chrono::seconds(30)) << "a hung scheduler held the job";
  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

}  // namespace
}  // namespace varnok
