#pragma once

#include <chrono>

#include "printer/spooler.h"
#include "printer/windows_printer.h"

namespace varnok {

// The Windows spooler through winspool's wide-character calls; names are UTF-8 inside the
// program. Each call runs on a thread of its own and is given up after the answer time (the
// spooler can block on a network printer), reported as no answer. It keeps no state between
// calls, so it may be called from several threads at once.
class WindowsSpooler final : public Spooler {
 public:
  explicit WindowsSpooler(std::chrono::milliseconds answer_time = windows::kAnswerTime)
      : answer_time_(answer_time) {}

  std::vector<std::string> ListQueues(std::optional<SpoolerFailure>& failure) override;
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override;
  QueueDescription DescribeQueue(std::string_view queue) override;
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override;

 private:
  std::chrono::milliseconds answer_time_;
};

}  // namespace varnok
