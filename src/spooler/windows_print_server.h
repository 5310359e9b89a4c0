#pragma once

#include "spooler/bounded_worker.h"
#include "spooler/print_server.h"
#include "spooler/step_limits.h"
#include "spooler/windows_printer.h"

namespace varnok {

// This computer's Windows spooler as a print server. It lists its queues; finding printers and
// adding queues is the maker's driver installer's work on Windows, so those calls fail with a
// reason that says so.
class WindowsPrintServer final : public PrintServer {
 public:
  explicit WindowsPrintServer(const StepLimits& limits = kStepLimits) : limits_(limits) {}

  std::string Name() override;
  SpoolerResult<std::vector<QueueDetails>> Queues() override;
  SpoolerResult<std::vector<Device>> Devices(int timeout_seconds) override;
  SpoolerResult<std::vector<DriverOffer>> Drivers(std::string_view make) override;
  SpoolerResult<void> AddQueue(const NewQueue& queue) override;
  SpoolerResult<void> RemoveQueue(std::string_view queue) override;
  SpoolerResult<void> ChangeDevice(std::string_view queue, std::string_view device_uri) override;
  SpoolerResult<std::vector<UnfinishedJob>> UnfinishedJobs() override;

 private:
  StepLimits limits_;
  BoundedWorker worker_;
};

}  // namespace varnok
