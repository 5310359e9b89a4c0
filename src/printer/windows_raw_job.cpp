#include "printer/windows_raw_job.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "settings/wide_text.h"

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

// A step's result: success, or the system's failure.
using StepResult = std::optional<SpoolerFailure>;

StepResult Begin(const std::shared_ptr<windows::Printer>& printer, const std::wstring& title) {
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
  return std::nullopt;
}

// WritePrinter may take fewer bytes than it was given: it is called until all are written.
StepResult WriteAll(HANDLE printer, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), INT_MAX));
    DWORD written = 0;
    if (!::WritePrinter(printer, const_cast<char*>(bytes.data()), chunk, &written)) {
      return windows::LastSystemFailure();
    }
    if (written == 0) return SpoolerFailure{0, "the print system took none of the bytes"};
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<RawJob> WindowsRawJob::Start(std::string_view queue, std::string_view title,
                                             const StepLimits& limits, SpoolerFailure& failure) {
  auto worker = std::make_unique<BoundedWorker>();
  auto document = std::make_shared<Document>();
  const std::optional<StepResult> begun =
      worker->Run(limits.whole, [document, name = std::string(queue), title = WideFromUtf8(title)] {
        SpoolerFailure open_failure;
        document->printer = windows::Printer::Open(name, open_failure);
        if (!document->printer) return StepResult(open_failure);
        StepResult result = Begin(document->printer, title);
        document->started = !result;
        return result;
      });
  if (!begun) {
    // A document that starts after all is deleted at once.
    worker->Post([document] { document->Abort(); });
    failure = windows::NoAnswer();
    return nullptr;
  }
  if (*begun) {
    failure = **begun;
    return nullptr;
  }
  return std::unique_ptr<RawJob>(new WindowsRawJob(std::move(worker), limits, std::move(document)));
}

WindowsRawJob::WindowsRawJob(std::unique_ptr<BoundedWorker> worker, const StepLimits& limits,
                             std::shared_ptr<Document> document)
    : worker_(std::move(worker)), limits_(limits), document_(std::move(document)) {}

WindowsRawJob::~WindowsRawJob() {
  if (state_ != State::Finished) Cancel();
}

bool WindowsRawJob::Write(std::string_view bytes) {
  if (state_ != State::Writing) {
    return Fail({0, "the job is no longer open for writing"});
  }
  const std::optional<StepResult> written =
      worker_->Run(limits_.whole, [document = document_, copy = std::string(bytes)] {
        return WriteAll(document->printer->get(), copy);
      });
  if (!written) return Fail(windows::NoAnswer());
  if (*written) return Fail(**written);
  return true;
}

bool WindowsRawJob::Finish() {
  if (state_ != State::Writing) return Fail({0, "the job is no longer open"});
  const std::optional<StepResult> ended =
      worker_->Run(limits_.whole, [document = document_]() -> StepResult {
        const HANDLE printer = document->printer->get();
        ::EndPagePrinter(printer);
        // The document is the spooler's once EndDocPrinter succeeds, and only then.
        if (!::EndDocPrinter(printer)) return windows::LastSystemFailure();
        document->started = false;
        return std::nullopt;
      });
  if (!ended) return Fail(windows::NoAnswer());
  if (*ended) return Fail(**ended);
  state_ = State::Finished;
  return true;
}

void WindowsRawJob::Cancel() {
  if (state_ == State::Cancelled || state_ == State::Finished) return;
  if (failure_.no_answer) {
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

bool WindowsRawJob::Fail(SpoolerFailure failure) {
  failure_ = std::move(failure);
  if (state_ == State::Writing) state_ = State::Broken;
  return false;
}

}  // namespace varnok
