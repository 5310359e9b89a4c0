#pragma once

#include "printer/spooler.h"

namespace varnok {

// The spooler through libcups. It talks to whichever scheduler libcups is pointed at
// (CUPS_SERVER or client.conf) and keeps no state between calls.
class CupsSpooler final : public Spooler {
 public:
  std::vector<std::string> ListQueues(std::optional<SpoolerFailure>& failure) override;
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override;
  QueueDescription DescribeQueue(std::string_view queue) override;
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override;
};

}  // namespace varnok
