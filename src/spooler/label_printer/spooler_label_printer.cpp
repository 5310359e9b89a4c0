#include "spooler/label_printer/spooler_label_printer.h"

#include "foundation/utf8_path.h"
#include "spooler/label_printer/file_to_send.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace varnok {

SpoolerLabelPrinter::SpoolerLabelPrinter(Spooler& spooler) : spooler_(spooler) {}

// Dropping an unfinished job cancels it.
SpoolerLabelPrinter::~SpoolerLabelPrinter() = default;

void SpoolerLabelPrinter::OpenPort(std::string_view printer_name) {
  job_.reset();
  failure_.reset();
  printer_ = printer_name;
  path_.clear();
  port_open_ = true;
  if (printer_.empty()) {
    Fail(SdkError::EmptyPrinterName, {});
  } else if (const SpoolerResult<void> opened = spooler_.OpenQueue(printer_); !opened) {
    FailFromSpooler(SdkError::NoSuchPrinter, opened.failure());
  }
}

void SpoolerLabelPrinter::VNX_ClearBuffer() {
  if (CanGoOn()) job_.reset();
}

void SpoolerLabelPrinter::VNX_SendFile(std::string_view path, SendProgress& progress) {
  if (!CanGoOn()) return;
  path_ = path;
  FileToSend opened = OpenFileToSend(path_);
  if (opened.error) return Fail(*opened.error, std::move(opened.reason));
  const FileHandle file = std::move(opened.file);
  const std::uint64_t total = opened.size;

  if (!progress.Continue(0, total)) return Fail(SdkError::Cancelled, {});
  if (!EnsureJob(path_)) return;

  std::vector<char> chunk(kChunkBytes);
  std::uint64_t sent = 0;
  for (;;) {
    const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file.get());
    if (count > 0) {
      const SpoolerResult<void> written = job_->Write(std::string_view(chunk.data(), count));
      if (!written) return FailFromSpooler(SdkError::JobRefused, written.failure());
      sent += count;
      if (!progress.Continue(sent, total)) return Fail(SdkError::Cancelled, {});
    }
    if (count < chunk.size()) {
      if (std::ferror(file.get())) return Fail(SdkError::FileUnreadable, std::strerror(errno));
      return;
    }
  }
}

void SpoolerLabelPrinter::VNX_PrintLabel(int /*first*/, int /*second*/) {
  if (!CanGoOn() || !job_) return;
  if (const SpoolerResult<void> finished = job_->Finish(); !finished) {
    return FailFromSpooler(SdkError::JobRefused, finished.failure());
  }
  job_.reset();
}

void SpoolerLabelPrinter::ClosePort() {
  job_.reset();
  port_open_ = false;
}

void SpoolerLabelPrinter::Fail(SdkError error, std::string reason) {
  failure_ = SdkFailure{error, printer_, path_, std::move(reason)};
  job_.reset();
}

void SpoolerLabelPrinter::FailFromSpooler(SdkError error, SpoolerFailure failure) {
  Fail(failure.no_answer ? SdkError::NoAnswer : error, failure.reason);
  failure_->spooler_failure = std::move(failure);
}

bool SpoolerLabelPrinter::EnsureJob(std::string_view path) {
  if (job_) return true;
  const std::string title = Utf8FromPath(PathFromUtf8(path).filename());
  SpoolerResult<std::unique_ptr<RawJob>> job = spooler_.CreateRawJob(printer_, title);
  if (!job) {
    FailFromSpooler(SdkError::JobRefused, job.failure());
    return false;
  }
  job_ = std::move(*job);
  return true;
}

}  // namespace varnok
