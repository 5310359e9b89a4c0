#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spooler/spooler_result.h"

namespace varnok {

// What the print server tells about one of its queues.
struct QueueDetails {
  std::string name;
  std::optional<std::string> make_and_model;  // the driver name; absent when it has none
  std::string device_uri;
  bool accepting_jobs = false;
};

// A printer the print server can see (a line of its device discovery).
struct Device {
  std::string device_class;  // "direct", "network", …
  std::string uri;
  std::string make_and_model;
  std::string info;
  std::string device_id;  // IEEE 1284 device id, often empty
  std::string location;
};

// A driver file the print server offers.
struct DriverOffer {
  std::string ppd_name;  // how the server names the file when a queue is made with it
  std::string make_and_model;
};

// A queue to create (or change) with one of the server's driver files.
struct NewQueue {
  std::string name;
  std::string device_uri;
  std::string ppd_name;
  std::string info;  // the description users see
};

// A job the print server has not finished: waiting, held or being printed.
struct UnfinishedJob {
  std::string queue;
  std::int64_t id = 0;
  std::string title;
  std::int64_t kilobytes = 0;  // its size, rounded up
};

// The print server's administration: what `varnok-printer` needs beyond sending jobs.
// Each call's failure carries the server's own reason.
class PrintServer {
 public:
  virtual ~PrintServer() = default;
  // The server as users name it in messages (a host, or the local socket).
  virtual std::string Name() = 0;
  // Every queue with its details, in the order the spooler lists queue names.
  virtual SpoolerResult<std::vector<QueueDetails>> Queues() = 0;
  // The printers the server can see through its backends, waiting at most timeout_seconds.
  virtual SpoolerResult<std::vector<Device>> Devices(int timeout_seconds) = 0;
  // The driver files of one maker.
  virtual SpoolerResult<std::vector<DriverOffer>> Drivers(std::string_view make) = 0;
  // Creates the queue, or changes it when it exists, enabled and accepting jobs.
  virtual SpoolerResult<void> AddQueue(const NewQueue& queue) = 0;
  // Removes the queue, with the jobs waiting in it.
  virtual SpoolerResult<void> RemoveQueue(std::string_view queue) = 0;
  // Points an existing queue at another device, keeping its driver.
  virtual SpoolerResult<void> ChangeDevice(std::string_view queue, std::string_view device_uri) = 0;
  // Every queue's jobs that are not finished yet, oldest first.
  virtual SpoolerResult<std::vector<UnfinishedJob>> UnfinishedJobs() = 0;
};

}  // namespace varnok
