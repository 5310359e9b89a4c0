#pragma once

#include "printer/cups_connection.h"
#include "printer/print_server.h"
#include "printer/print_server_password.h"

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
  std::optional<std::vector<QueueDetails>> Queues(SpoolerFailure& failure) override;
  std::optional<std::vector<Device>> Devices(int timeout_seconds, SpoolerFailure& failure) override;
  std::optional<std::vector<DriverOffer>> Drivers(std::string_view make,
                                                  SpoolerFailure& failure) override;
  std::optional<SpoolerFailure> AddQueue(const NewQueue& queue) override;
  std::optional<SpoolerFailure> RemoveQueue(std::string_view queue) override;
  std::optional<SpoolerFailure> ChangeDevice(std::string_view queue,
                                             std::string_view device_uri) override;
  std::optional<std::vector<UnfinishedJob>> UnfinishedJobs(SpoolerFailure& failure) override;

 private:
  SchedulerConnections connections_;
  StepLimits limits_;
};

}  // namespace varnok
