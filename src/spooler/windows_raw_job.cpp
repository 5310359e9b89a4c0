#include "spooler/windows_raw_job.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "foundation/wide_text.h"

namespace varnok {

// Lives as long as the last step that needs it, which may outlive the job when the caller has
// stopped waiting for a step.
struct WindowsRawJob::Document {
  std::shared_ptr<windows::Printer> printer;
  bool started = false;  // StartDocPrinterW succeeded and neither end nor abort followed

  // Deletes a started document, so the printer receives none of it.
  void Abort() {
    if (started) ::AbortPrinter(printer->get());
    started = false;
  }
};

namespace {

SpoolerResult<void> Begin(const std::shared_ptr<windows::Printer>& printer,
                          const std::wstring& title) {
  std::wstring document_name = title;
  std::wstring datatype = L"RAW";  // the bytes go to the printer as they are
  DOC_INFO_1W info{document_name.data(), nullptr, datatype.data()};
  if (::StartDocPrinterW(printer->get(), 1, reinterpret_cast<BYTE*>(&info)) == 0) {
    return windows::LastSystemFailure();
  }
  if (!::StartPagePrinter(printer->get())) {
    const SpoolerFailure failure = windows::LastSystemFailure();
    ::AbortPrinter(printer->get());
    return failure;
  }
  return {};
}

// WritePrinter may take fewer bytes than it was given: it is called until all are written.
SpoolerResult<void> WriteAll(HANDLE printer, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), INT_MAX));
    DWORD written = 0;
    if (!::WritePrinter(printer, const_cast<char*>(bytes.data()), chunk, &written)) {
      return windows::LastSystemFailure();
    }
    if (written == 0) return SpoolerFailure{0, "the print system took none of the bytes"};
    bytes.remove_prefix(written);
  }
  return {};
}

}  // namespace

SpoolerResult<std::unique_ptr<RawJob>> WindowsRawJob::Start(std::string_view queue,
                                                            std::string_view title,
                                                            const StepLimits& limits) {
  auto worker = std::make_unique<BoundedWorker>();
  auto document = std::make_shared<Document>();
  const std::optional<SpoolerResult<void>> begun = worker->Run(
      limits.whole,
      [document, name = std::string(queue), title = WideFromUtf8(title)]() -> SpoolerResult<void> {
        SpoolerResult<std::shared_ptr<windows::Printer>> opened = windows::Printer::Open(name);
        if (!opened) return opened.failure();
        document->printer = std::move(*opened);
        SpoolerResult<void> result = Begin(document->printer, title);
        document->started = result.ok();
        return result;
      });
  if (!begun) {
    // A document that starts after all is deleted at once.
    worker->Post([document] { document->Abort(); });
    return windows::NoAnswer();
  }
  if (!*begun) return begun->failure();
  return std::unique_ptr<RawJob>(new WindowsRawJob(std::move(worker), limits, std::move(document)));
}

WindowsRawJob::WindowsRawJob(std::unique_ptr<BoundedWorker> worker, const StepLimits& limits,
                             std::shared_ptr<Document> document)
    : worker_(std::move(worker)), limits_(limits), document_(std::move(document)) {}

WindowsRawJob::~WindowsRawJob() {
  if (state_ != State::Finished) Cancel();
}

SpoolerResult<void> WindowsRawJob::Write(std::string_view bytes) {
  if (state_ != State::Writing) {
    return Fail({0, "the job is no longer open for writing"});
  }
  const SpoolerResult<void> written = windows::Answered(
      worker_->Run(limits_.whole, [document = document_, copy = std::string(bytes)] {
        return WriteAll(document->printer->get(), copy);
      }));
  if (!written) return Fail(written.failure());
  return {};
}

SpoolerResult<void> WindowsRawJob::Finish() {
  if (state_ != State::Writing) return Fail({0, "the job is no longer open"});
  const SpoolerResult<void> ended = windows::Answered(
      worker_->Run(limits_.whole, [document = document_]() -> SpoolerResult<void> {
        const HANDLE printer = document->printer->get();
        ::EndPagePrinter(printer);
        // The document is the spooler's once EndDocPrinter succeeds, and only then.
        if (!::EndDocPrinter(printer)) return windows::LastSystemFailure();
        document->started = false;
        return {};
      }));
  if (!ended) return Fail(ended.failure());
  state_ = State::Finished;
  return {};
}

void WindowsRawJob::Cancel() {
  if (state_ == State::Cancelled || state_ == State::Finished) return;
  if (unanswered_) {
    // The spooler is stuck on an earlier step: the document is deleted once that step ends,
    // without keeping the user waiting once more.
    worker_->Post([document = document_] { document->Abort(); });
  } else {
    worker_->Run(limits_.whole, [document = document_] {
      document->Abort();
      return true;
    });
  }
  state_ = State::Cancelled;
}

SpoolerFailure WindowsRawJob::Fail(SpoolerFailure failure) {
  unanswered_ = failure.no_answer;
  if (state_ == State::Writing) state_ = State::Broken;
  return failure;
}

}  // namespace varnok
