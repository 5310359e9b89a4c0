#include "spooler/label_printer/spooler_label_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "support/fake_spooler.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::TempFolder;

constexpr const char* kQueue = "VARNOK_K540";

// Counts progress reports; stops the send at report number stop_at (0: never).
struct CountingProgress : SendProgress {
  bool Continue(std::uint64_t sent, std::uint64_t total) override {
    last_sent = sent;
    last_total = total;
    return ++reports != stop_at;
  }
  int stop_at = 0;
  int reports = 0;
  std::uint64_t last_sent = 0, last_total = 0;
};

class SpoolerLabelPrinterTest : public ::testing::Test {
 protected:
  SpoolerLabelPrinterTest() { spooler_.AddQueue(kQueue); }

  // The sequence of one Send; print = false leaves out VNX_PrintLabel.
  void Send(const std::string& printer, const std::string& path, bool print = true) {
    sdk_.OpenPort(printer);
    sdk_.VNX_ClearBuffer();
    sdk_.VNX_SendFile(path, progress_);
    if (print) sdk_.VNX_PrintLabel(0, 0);
    sdk_.ClosePort();
  }

  FakeSpooler spooler_;
  SpoolerLabelPrinter sdk_{spooler_};
  TempFolder folder_;
  CountingProgress progress_;
};

TEST_F(SpoolerLabelPrinterTest, StreamsTheFileUnchangedInChunksAsOneJobTitledWithItsName) {
  std::string bytes;
  for (int i = 0; i < 3 * 65536 + 5; ++i) bytes += static_cast<char>(i * 7 % 256);
  Send(kQueue, folder_.Write("label data.prn", bytes));

  EXPECT_FALSE(sdk_.Failure());
  ASSERT_EQ(spooler_.jobs().size(), 1u);
  const auto& job = spooler_.jobs()[0];
  EXPECT_EQ(job.title, "label data.prn");
  EXPECT_TRUE(job.bytes == bytes);
  EXPECT_EQ(job.writes, 4);
  EXPECT_TRUE(job.finished);
  EXPECT_EQ(progress_.reports, 5);  // before the first chunk and after each
  EXPECT_EQ(progress_.last_sent, bytes.size());
  EXPECT_EQ(progress_.last_total, bytes.size());
}

TEST_F(SpoolerLabelPrinterTest, CancelOrClosingBeforePrintLabelCancelsTheJob) {
  const std::string path = folder_.Write("big.prn", std::string(200'000, 'x'));
  progress_.stop_at = 2;
  Send(kQueue, path);
  EXPECT_EQ(sdk_.Failure()->error, SdkError::Cancelled);
  progress_.stop_at = 0;
  Send(kQueue, path, false);
  EXPECT_FALSE(sdk_.Failure());

  ASSERT_EQ(spooler_.jobs().size(), 2u);
  for (const auto& job : spooler_.jobs()) EXPECT_TRUE(job.cancelled && !job.finished);
}

struct FailureCase {
  const char* name;
  std::string printer;
  std::function<std::string(const TempFolder&)> path;
  std::function<void(FakeSpooler::Queue&)> break_queue;
  SdkError error;
};
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class SendFailureTest : public SpoolerLabelPrinterTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SendFailureTest, IsReportedAndNothingIsPrinted) {
  const FailureCase& c = GetParam();
  if (c.break_queue) c.break_queue(spooler_.queue(kQueue));
  const std::string path = c.path(folder_);
  Send(c.printer, path);

  ASSERT_TRUE(sdk_.Failure());
  EXPECT_EQ(sdk_.Failure()->error, c.error);
  EXPECT_EQ(sdk_.Failure()->printer, c.printer);
  for (const auto& job : spooler_.jobs()) EXPECT_TRUE(job.cancelled && !job.finished);

  // The next OpenPort starts afresh.
  spooler_.queue(kQueue) = {};
  Send(kQueue, folder_.Write("next.prn", "1"));
  EXPECT_FALSE(sdk_.Failure());
}

// A device is never sent: on Linux one that never ends; on Windows the C library finds no file
// by a device's name (wine's at least), which refuses it as well.
#ifdef _WIN32
constexpr const char* kDevice = "NUL";
constexpr SdkError kDeviceRefusal = SdkError::FileMissing;
#else
constexpr const char* kDevice = "/dev/zero";
constexpr SdkError kDeviceRefusal = SdkError::FileUnreadable;
#endif

std::string AFile(const TempFolder& folder) { return folder.Write("a.prn", "^XA^XZ"); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SendFailureTest,
    ::testing::Values(
        FailureCase{"NoPrinterName", "", AFile, nullptr, SdkError::EmptyPrinterName},
        FailureCase{"UnknownQueue", "VARNOK_GONE", AFile, nullptr, SdkError::NoSuchPrinter},
        FailureCase{"MissingFile", kQueue, [](auto& f) { return f.path() + "/missing.prn"; },
                    nullptr, SdkError::FileMissing},
        FailureCase{"EmptyPath", kQueue, [](auto&) { return std::string(); }, nullptr,
                    SdkError::FileMissing},
        FailureCase{"EmptyFile", kQueue, [](auto& f) { return f.Write("empty.prn", ""); }, nullptr,
                    SdkError::FileEmpty},
        FailureCase{"Folder", kQueue, [](auto& f) { return f.path(); }, nullptr,
                    SdkError::FileUnreadable},
        FailureCase{"Device", kQueue, [](auto&) { return std::string(kDevice); }, nullptr,
                    kDeviceRefusal},
        FailureCase{"QueueRefuses", kQueue, AFile, [](auto& q) { q.refuses_jobs = true; },
                    SdkError::JobRefused},
        FailureCase{"WriteFails", kQueue, AFile, [](auto& q) { q.write_fails = true; },
                    SdkError::JobRefused},
        FailureCase{"FinishFails", kQueue, AFile, [](auto& q) { q.finish_fails = true; },
                    SdkError::JobRefused},
        FailureCase{"SilentAtOpen", kQueue, AFile, [](auto& q) { q.answers = 0; },
                    SdkError::NoAnswer},
        FailureCase{"SilentAtTheJob", kQueue, AFile, [](auto& q) { q.answers = 1; },
                    SdkError::NoAnswer}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace varnok
