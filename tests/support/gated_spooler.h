#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spooler/spooler.h"

namespace varnok::testing {

// A spooler (an in-memory one, or the real scheduler's) whose requests about a queue (open,
// describe, create a job) wait at a gate while it is closed, as they wait for a print system that
// does not answer, so that a test can act while a press waits. Opened, the gate lets them on to
// the spooler behind it; given up, they end as on a print system that never answered. The gate is
// open at first; a request lets itself through after a while, so that a press stuck on the
// interface thread fails a test instead of hanging it.
template <typename Inner>
class GatedSpooler : public Spooler {
 public:
  void CloseGate() { Set(Gate::Closed); }
  void OpenGate() { Set(Gate::Open); }
  void GiveUp() { Set(Gate::GivenUp); }
  // Whether a request came to the closed gate within the time.
  bool RequestWaits(std::chrono::milliseconds within) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, within, [this] { return waiting_ > 0; });
  }

  SpoolerResult<std::vector<std::string>> ListQueues() override { return inner.ListQueues(); }
  SpoolerResult<void> OpenQueue(std::string_view queue) override {
    if (!Pass()) return kNoAnswer;
    return inner.OpenQueue(queue);
  }
  SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) override {
    if (!Pass()) {
      SpoolerFailure silent = kNoAnswer;
      silent.describe = DescribeFailure::SizeQueryFailed;
      return silent;
    }
    return inner.DescribeQueue(queue);
  }
  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override {
    if (!Pass()) return kNoAnswer;
    return inner.CreateRawJob(queue, title);
  }

  Inner inner;

 private:
  enum class Gate { Open, Closed, GivenUp };

  void Set(Gate gate) {
    const std::lock_guard lock(mutex_);
    gate_ = gate;
    changed_.notify_all();
  }
  // Waits while the gate is closed; false once it has been given up.
  bool Pass() {
    std::unique_lock lock(mutex_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait_for(lock, kLongestWait, [this] { return gate_ != Gate::Closed; });
    --waiting_;
    return gate_ != Gate::GivenUp;
  }

  static constexpr std::chrono::seconds kLongestWait{10};
  static inline const SpoolerFailure kNoAnswer{1280, "the print system did not answer in time",
                                               true};

  std::mutex mutex_;
  std::condition_variable changed_;
  Gate gate_ = Gate::Open;
  int waiting_ = 0;
};

}  // namespace varnok::testing
