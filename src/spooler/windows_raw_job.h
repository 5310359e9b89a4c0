#pragma once

#include <memory>
#include <string_view>

#include "spooler/bounded_worker.h"
#include "spooler/spooler.h"
#include "spooler/step_limits.h"
#include "spooler/windows_printer.h"

namespace varnok {

// One RAW document on a Windows print queue: started (StartDocPrinterW, StartPagePrinter) when
// the job is made, written with WritePrinter, ended with EndPagePrinter and EndDocPrinter, or
// deleted with AbortPrinter. A job finished without a write is a document of zero bytes. Every
// call on the printer runs on the job's own thread, in order, each step given up after its
// whole time.
class WindowsRawJob final : public RawJob {
 public:
  // The started job, or the failure when the queue cannot be opened or refuses the document.
  static SpoolerResult<std::unique_ptr<RawJob>> Start(std::string_view queue,
                                                      std::string_view title,
                                                      const StepLimits& limits);
  ~WindowsRawJob() override;

  SpoolerResult<void> Write(std::string_view bytes) override;
  SpoolerResult<void> Finish() override;
  void Cancel() override;

 private:
  enum class State {
    Writing,   // the document is open
    Broken,    // a step failed or was given up; only Cancel is left
    Finished,  // the spooler holds the complete document
    Cancelled,
  };
  struct Document;  // the printer and where its document stands, owned by the job's steps

  WindowsRawJob(std::unique_ptr<BoundedWorker> worker, const StepLimits& limits,
                std::shared_ptr<Document> document);
  // Records the failure, after which only Cancel is left, and gives it back.
  SpoolerFailure Fail(SpoolerFailure failure);

  std::unique_ptr<BoundedWorker> worker_;
  StepLimits limits_;
  std::shared_ptr<Document> document_;
  State state_ = State::Writing;
  bool unanswered_ = false;  // the last call that failed got no answer in time
};

}  // namespace varnok
