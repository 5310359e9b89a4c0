#pragma once

#include "spooler/cups_connection.h"
#include "spooler/print_server.h"
#include "spooler/print_server_password.h"

namespace varnok {

// The print server through libcups: the scheduler libcups is pointed at (cupsSetServer,
// CUPS_SERVER, client.conf) on the calling thread, over connections it keeps between calls. Its
// queue list is a step within `limits`; the slow listings and adding a queue have longer limits
// of their own (step_limits.h). A server that wants a password gets `password`'s (none without
// one); nothing is asked on a terminal.
class CupsPrintServer final : public PrintServer {
 public:
  explicit CupsPrintServer(PrintServerPassword* password = nullptr,
                           const StepLimits& limits = kStepLimits)
      : connections_(password), limits_(limits) {}

  std::string Name() override;
  SpoolerResult<std::vector<QueueDetails>> Queues() override;
  SpoolerResult<std::vector<Device>> Devices(int timeout_seconds) override;
  SpoolerResult<std::vector<DriverOffer>> Drivers(std::string_view make) override;
  SpoolerResult<void> AddQueue(const NewQueue& queue) override;
  SpoolerResult<void> RemoveQueue(std::string_view queue) override;
  SpoolerResult<void> ChangeDevice(std::string_view queue, std::string_view device_uri) override;
  SpoolerResult<std::vector<UnfinishedJob>> UnfinishedJobs() override;

 private:
  SchedulerConnections connections_;
  StepLimits limits_;
};

}  // namespace varnok
