#pragma once

#include "spooler/bounded_worker.h"
#include "spooler/spooler.h"
#include "spooler/step_limits.h"
#include "spooler/windows_printer.h"

namespace varnok {

// The Windows spooler through winspool's wide-character calls; names are UTF-8 inside the
// program. Its calls run one after another on its worker's thread, each given up after the
// step's whole time (the spooler can block on a network printer) and reported as no answer;
// calls after one given up on wait behind it. It may be called from several threads at once.
class WindowsSpooler final : public Spooler {
 public:
  explicit WindowsSpooler(const StepLimits& limits = kStepLimits) : limits_(limits) {}

  SpoolerResult<std::vector<std::string>> ListQueues() override;
  SpoolerResult<void> OpenQueue(std::string_view queue) override;
  SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) override;
  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override;

 private:
  StepLimits limits_;
  BoundedWorker worker_;
};

}  // namespace varnok
