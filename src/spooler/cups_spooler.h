#pragma once

#include "spooler/cups_connection.h"
#include "spooler/print_server_password.h"
#include "spooler/spooler.h"

namespace varnok {

// The spooler through libcups. It talks to whichever scheduler libcups is pointed at
// (CUPS_SERVER or client.conf) on the calling thread, over connections it keeps between calls,
// each step within `limits`. A print server that wants a password gets `password`'s (none
// without one); nothing is asked on a terminal.
class CupsSpooler final : public Spooler {
 public:
  explicit CupsSpooler(PrintServerPassword* password = nullptr,
                       const StepLimits& limits = kStepLimits)
      : connections_(password), limits_(limits) {}

  SpoolerResult<std::vector<std::string>> ListQueues() override;
  SpoolerResult<void> OpenQueue(std::string_view queue) override;
  SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) override;
  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override;

 private:
  SchedulerConnections connections_;
  StepLimits limits_;
};

}  // namespace varnok
