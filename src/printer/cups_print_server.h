#pragma once

#include "printer/print_server.h"

namespace varnok {

// The print server through libcups: the scheduler libcups is pointed at (cupsSetServer,
// CUPS_SERVER, client.conf). Each call opens its own connection.
class CupsPrintServer final : public PrintServer {
 public:
  std::string Name() override;
  std::optional<std::vector<QueueDetails>> Queues(SpoolerFailure& failure) override;
  std::optional<std::vector<Device>> Devices(int timeout_seconds, SpoolerFailure& failure) override;
  std::optional<std::vector<DriverOffer>> Drivers(std::string_view make,
                                                  SpoolerFailure& failure) override;
  std::optional<SpoolerFailure> AddQueue(const NewQueue& queue) override;
};

}  // namespace varnok
