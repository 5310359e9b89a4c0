#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "support/fake_spooler.h"

namespace varnok::testing {

// An in-memory spooler whose requests about a queue (open, describe, create a job) wait at a
// gate while it is closed, so that a test can look at the windows while a press waits for the
// print system. The gate is open at first; a request lets itself
// through after a while, so that a press stuck on the interface thread fails a test instead of
// hanging it.
class GatedSpooler : public FakeSpooler {
 public:
  void CloseGate() {
    const std::lock_guard lock(mutex_);
    open_ = false;
  }
  void OpenGate() {
    const std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // Whether a request came to the closed gate within the time.
  bool RequestWaits(std::chrono::milliseconds within) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, within, [this] { return waiting_ > 0; });
  }
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override {
    Pass();
    return FakeSpooler::OpenQueue(queue);
  }
  QueueDescription DescribeQueue(std::string_view queue) override {
    Pass();
    return FakeSpooler::DescribeQueue(queue);
  }
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override {
    Pass();
    return FakeSpooler::CreateRawJob(queue, title, failure);
  }

 private:
  void Pass() {
    std::unique_lock lock(mutex_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait_for(lock, kLongestWait, [this] { return open_; });
    --waiting_;
  }

  static constexpr std::chrono::seconds kLongestWait{10};

  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = true;
  int waiting_ = 0;
};

}  // namespace varnok::testing
