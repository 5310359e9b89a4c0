#pragma once

#include "printer/bounded_worker.h"
#include "printer/print_server.h"
#include "printer/step_limits.h"
#include "printer/windows_printer.h"

namespace varnok {

// This computer's Windows spooler as a print server. It lists its queues; finding printers and
// adding queues is the maker's driver installer's work on Windows, so those calls fail with a
// reason that says so.
class WindowsPrintServer final : public PrintServer {
 public:
  explicit WindowsPrintServer(const StepLimits& limits = kStepLimits) : limits_(limits) {}

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
  StepLimits limits_;
  BoundedWorker worker_;
};

}  // namespace varnok
