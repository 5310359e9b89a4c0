#pragma once

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/spooler.h"

namespace varnok {

// Asks another spooler for its queue names on a thread of its own as soon as it is made, so
// that the round trip to the scheduler overlaps the program's start. The first QueueNames
// call returns that list (or asks afresh when the print server wanted a password, which that
// thread asks nobody for); every later one asks afresh. No call reaches the other spooler
// while the early one runs, so it need not be safe for concurrent use.
class PrefetchingSpooler final : public Spooler {
 public:
  // The other spooler must outlive this one, whose end waits for the early request.
  explicit PrefetchingSpooler(Spooler& spooler);

  std::vector<std::string> QueueNames() override;
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override;
  QueueDescription DescribeQueue(std::string_view queue) override;
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override;

 private:
  // Waits for the early list, if it was not taken yet, and keeps it for the first caller.
  void AwaitEarlyList();

  Spooler& spooler_;
  std::future<std::optional<std::vector<std::string>>> pending_;
  std::optional<std::vector<std::string>> early_list_;  // taken by the first caller
};

}  // namespace varnok
