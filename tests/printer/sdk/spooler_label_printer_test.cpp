#include "printer/sdk/spooler_label_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_spooler.h"
#include "temp_folder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::TempFolder;

constexpr std::string_view kQueue = "VARNOK_K540";

// Records every progress report; stops the send at the given report (0 = never).
class RecordingProgress : public SendProgress {
 public:
  explicit RecordingProgress(int stop_at = 0) : stop_at_(stop_at) {}
  bool Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) override {
    reports.emplace_back(bytes_sent, total_bytes);
    return static_cast<int>(reports.size()) != stop_at_;
  }
  std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;

 private:
  int stop_at_;
};

class SpoolerLabelPrinterTest : public ::testing::Test {
 protected:
  SpoolerLabelPrinterTest() { spooler_.AddQueue(std::string(kQueue)); }

  // The whole sequence a Send makes.
  void Send(std::string_view printer, std::string_view path, SendProgress& progress) {
    sdk_.OpenPort(printer);
    sdk_.VNX_ClearBuffer();
    sdk_.VNX_SendFile(path, progress);
    sdk_.VNX_PrintLabel(0, 0);
    sdk_.ClosePort();
  }

  FakeSpooler spooler_;
  SpoolerLabelPrinter sdk_{spooler_};
  TempFolder folder_;
  RecordingProgress progress_;
};

TEST_F(SpoolerLabelPrinterTest, StreamsTheFileUnchangedAsOneFinishedJobTitledWithItsName) {
  std::string bytes;
  for (int i = 0; i < 3 * 65536 + 5; ++i) bytes += static_cast<char>(i * 7 % 256);
  const std::string path = folder_.Write("label data.prn", bytes);

  Send(kQueue, path, progress_);

  EXPECT_FALSE(sdk_.Failure());
  ASSERT_EQ(spooler_.jobs().size(), 1u);
  const auto& job = spooler_.jobs()[0];
  EXPECT_EQ(job.queue, kQueue);
  EXPECT_EQ(job.title, "label data.prn");
  EXPECT_TRUE(job.bytes == bytes);
  EXPECT_EQ(job.writes, 4);  // in 64 KiB chunks
  EXPECT_TRUE(job.finished);
  EXPECT_FALSE(job.cancelled);
  ASSERT_EQ(progress_.reports.size(), 5u);
  EXPECT_EQ(progress_.reports.front(),
            std::make_pair(std::uint64_t{0}, std::uint64_t{bytes.size()}));
  EXPECT_EQ(progress_.reports.back().first, bytes.size());
}

TEST_F(SpoolerLabelPrinterTest, AnEmptyFileBecomesAnEmptyFinishedJob) {
  Send(kQueue, folder_.Write("empty.prn", ""), progress_);
  EXPECT_FALSE(sdk_.Failure());
  ASSERT_EQ(spooler_.jobs().size(), 1u);
  EXPECT_TRUE(spooler_.jobs()[0].finished);
  EXPECT_EQ(spooler_.jobs()[0].writes, 0);
}

struct FailureCase {
  const char* name;
  std::string printer;
  std::function<std::string(TempFolder&)> path;  // makes the file to send
  std::function<void(FakeSpooler::Queue&)> queue_setup;
  SdkError error;
  bool job_cancelled;  // a job was created and must be cancelled
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class SendFailureTest : public SpoolerLabelPrinterTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SendFailureTest, IsReportedWithPrinterAndPathAndNothingIsPrinted) {
  const FailureCase& c = GetParam();
  if (c.queue_setup) c.queue_setup(spooler_.queue(std::string(kQueue)));
  const std::string path = c.path(folder_);

  Send(c.printer, path, progress_);

  ASSERT_TRUE(sdk_.Failure());
  EXPECT_EQ(sdk_.Failure()->error, c.error);
  EXPECT_EQ(sdk_.Failure()->printer, c.printer);
  if (c.error != SdkError::EmptyPrinterName && c.error != SdkError::NoSuchPrinter) {
    EXPECT_EQ(sdk_.Failure()->path, path);
  }
  for (const auto& job : spooler_.jobs()) EXPECT_FALSE(job.finished);
  EXPECT_EQ(spooler_.jobs().size(), c.job_cancelled ? 1u : 0u);
  if (c.job_cancelled) {
    EXPECT_TRUE(spooler_.jobs()[0].cancelled);
  }
}

std::string SomeFile(TempFolder& folder) { return folder.Write("a.prn", "^XA^XZ"); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SendFailureTest,
    ::testing::Values(
        FailureCase{"EmptyPrinterName", "", SomeFile, nullptr, SdkError::EmptyPrinterName, false},
        FailureCase{"UnknownQueue", "VARNOK_GONE", SomeFile, nullptr, SdkError::NoSuchPrinter,
                    false},
        FailureCase{"MissingFile", std::string(kQueue),
                    [](TempFolder& f) { return f.path() + "/missing.prn"; }, nullptr,
                    SdkError::FileMissing, false},
        FailureCase{"EmptyPath", std::string(kQueue), [](TempFolder&) { return std::string(); },
                    nullptr, SdkError::FileMissing, false},
        FailureCase{"Folder", std::string(kQueue), [](TempFolder& f) { return f.path(); }, nullptr,
                    SdkError::FileUnreadable, false},
        FailureCase{"Device", std::string(kQueue),
                    [](TempFolder&) { return std::string("/dev/zero"); }, nullptr,
                    SdkError::FileUnreadable, false},
        FailureCase{"QueueRefuses", std::string(kQueue), SomeFile,
                    [](FakeSpooler::Queue& q) { q.refuses_jobs = true; }, SdkError::JobRefused,
                    false},
        FailureCase{"WriteFails", std::string(kQueue), SomeFile,
                    [](FakeSpooler::Queue& q) { q.write_fails = true; }, SdkError::JobRefused,
                    true},
        FailureCase{"FinishFails", std::string(kQueue), SomeFile,
                    [](FakeSpooler::Queue& q) { q.finish_fails = true; }, SdkError::JobRefused,
                    true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SpoolerLabelPrinterTest, CancellingMidwayCancelsTheJob) {
  RecordingProgress stop_after_first_chunk(2);
  Send(kQueue, folder_.Write("big.prn", std::string(200'000, 'x')), stop_after_first_chunk);

  ASSERT_TRUE(sdk_.Failure());
  EXPECT_EQ(sdk_.Failure()->error, SdkError::Cancelled);
  ASSERT_EQ(spooler_.jobs().size(), 1u);
  EXPECT_TRUE(spooler_.jobs()[0].cancelled);
  EXPECT_FALSE(spooler_.jobs()[0].finished);
}

TEST_F(SpoolerLabelPrinterTest, CancellingBeforeTheFirstByteCreatesNoJob) {
  RecordingProgress stop_at_once(1);
  Send(kQueue, folder_.Write("big.prn", std::string(200'000, 'x')), stop_at_once);
  EXPECT_EQ(sdk_.Failure()->error, SdkError::Cancelled);
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(SpoolerLabelPrinterTest, ClosingOrClearingBeforePrintLabelCancelsThePendingJob) {
  const std::string path = folder_.Write("a.prn", "^XA^XZ");
  sdk_.OpenPort(kQueue);
  sdk_.VNX_SendFile(path, progress_);
  sdk_.ClosePort();
  sdk_.OpenPort(kQueue);
  sdk_.VNX_SendFile(path, progress_);
  sdk_.VNX_ClearBuffer();
  sdk_.VNX_PrintLabel(0, 0);
  sdk_.ClosePort();

  ASSERT_EQ(spooler_.jobs().size(), 2u);
  for (const auto& job : spooler_.jobs()) {
    EXPECT_TRUE(job.cancelled);
    EXPECT_FALSE(job.finished);
  }
  EXPECT_FALSE(sdk_.Failure());
}

TEST_F(SpoolerLabelPrinterTest, OpenPortStartsAfreshAfterAFailure) {
  Send("VARNOK_GONE", folder_.Write("a.prn", "1"), progress_);
  ASSERT_TRUE(sdk_.Failure());
  Send(kQueue, folder_.Write("b.prn", "2"), progress_);
  EXPECT_FALSE(sdk_.Failure());
  ASSERT_EQ(spooler_.jobs().size(), 1u);
  EXPECT_EQ(spooler_.jobs()[0].bytes, "2");
}

}  // namespace
}  // namespace varnok
