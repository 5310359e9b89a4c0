#include <chrono>
#include <string>

#include "virtual_printer_test.h"

namespace varnok {
namespace {

using CupsRawJob = VirtualPrinterTest;

std::unique_ptr<RawJob> CreateJob(Spooler& spooler, const char* queue) {
  SpoolerResult<std::unique_ptr<RawJob>> job = spooler.CreateRawJob(queue, "Label");
  if (!job) {
    ADD_FAILURE() << job.failure().reason;
    return nullptr;
  }
  return std::move(*job);
}

// Writes the bytes, then finishes the job when they were written.
SpoolerResult<void> WriteAndFinish(RawJob& job, std::string_view bytes) {
  SpoolerResult<void> sent = job.Write(bytes);
  if (sent) sent = job.Finish();
  return sent;
}

TEST_F(CupsRawJob, ManyWritesArriveAsOneWholeJob) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  std::string expected;
  for (int chunk = 0; chunk < 200; ++chunk) {
    std::string bytes(10'000, static_cast<char>('A' + chunk % 26));
    const SpoolerResult<void> written = job->Write(bytes);
    ASSERT_TRUE(written) << written.failure().reason;
    expected += bytes;
  }
  const SpoolerResult<void> finished = job->Finish();
  ASSERT_TRUE(finished) << finished.failure().reason;

  auto received = printers->WaitForJob("VARNOKX", kJobArrives);
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->size(), expected.size());
  EXPECT_TRUE(*received == expected);
}

TEST_F(CupsRawJob, AnUnfinishedJobIsCancelledAndPrintsNothing) {
  EXPECT_TRUE(CreateJob(spooler, "VARNOKX")->Write("half a command"));

  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

TEST_F(CupsRawJob, SchedulerStoppingHalfWayFailsTheJob) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(job->Write("#UM>SL\r\n"));

  printers->StopScheduler();
  const std::string more(1'000'000, 'x');

  const SpoolerResult<void> sent = WriteAndFinish(*job, more);
  ASSERT_FALSE(sent);
  EXPECT_NE(sent.failure().status, 0);
}

// A scheduler that hangs half-way (it still takes connections but answers nothing): the job
// fails for want of an answer within the program's wait, and dropping it waits no more.
TEST_F(CupsRawJob, SchedulerHangingHalfWayFailsTheJobInGoodTime) {
  auto job = CreateJob(spooler, "VARNOKX");
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(job->Write("#UM>SL\r\n"));

  printers->FreezeScheduler();
  const auto start = std::chrono::steady_clock::now();
  const SpoolerResult<void> sent = WriteAndFinish(*job, std::string(1'000'000, 'x'));
  job.reset();
  const auto took = std::chrono::steady_clock::now() - start;
  printers->ThawScheduler();

  ASSERT_FALSE(sent);
  EXPECT_TRUE(sent.failure().no_answer) << sent.failure().reason;
  EXPECT_LT(took, std::chrono::seconds(30)) << "a hung scheduler held the job";
  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

}  // namespace
}  // namespace varnok
