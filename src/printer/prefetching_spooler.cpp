#include "printer/prefetching_spooler.h"

#include <utility>

#include "printer/print_server_password.h"

namespace varnok {

PrefetchingSpooler::PrefetchingSpooler(Spooler& spooler)
    : spooler_(spooler), pending_(std::async(std::launch::async, [&spooler] {
        // The user-interface thread may be waiting for this one, so it cannot show a dialog: a
        // print server that wants a password is asked again by the first caller, who can.
        const NoPasswordPromptsHere no_prompts;
        std::vector<std::string> names = spooler.QueueNames();
        return no_prompts.PasswordWanted() ? std::nullopt : std::optional(std::move(names));
      })) {}

void PrefetchingSpooler::AwaitEarlyList() {
  if (pending_.valid()) early_list_ = pending_.get();
}

std::vector<std::string> PrefetchingSpooler::QueueNames() {
  AwaitEarlyList();
  if (!early_list_) return spooler_.QueueNames();
  std::vector<std::string> names = std::move(*early_list_);
  early_list_.reset();
  return names;
}

std::optional<SpoolerFailure> PrefetchingSpooler::OpenQueue(std::string_view queue) {
  AwaitEarlyList();
  return spooler_.OpenQueue(queue);
}

QueueDescription PrefetchingSpooler::DescribeQueue(std::string_view queue) {
  AwaitEarlyList();
  return spooler_.DescribeQueue(queue);
}

std::unique_ptr<RawJob> PrefetchingSpooler::CreateRawJob(std::string_view queue,
                                                         std::string_view title,
                                                         SpoolerFailure& failure) {
  AwaitEarlyList();
  return spooler_.CreateRawJob(queue, title, failure);
}

}  // namespace varnok
