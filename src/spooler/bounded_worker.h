#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

#include "spooler/work_queue.h"

namespace varnok {

// How a step and the one waiting for it share the step's time.
struct StepWait {
  using Clock = std::chrono::steady_clock;

  explicit StepWait(std::chrono::milliseconds step_limit)
      : limit(step_limit), deadline(Clock::now() + step_limit) {}

  std::mutex mutex;
  std::condition_variable changed;
  std::chrono::milliseconds limit;
  Clock::time_point deadline;
  bool held = false;  // the step waits for the user
  bool done = false;
};

// Given to a step, so that it can stop its clock while it waits for the user (a password): that
// time is the user's, not the print system's.
class StepClock {
 public:
  explicit StepClock(std::shared_ptr<StepWait> wait) : wait_(std::move(wait)) {}

  // While a hold lives, the step's time stands still; after it, the step has its whole limit
  // again, as if it had just begun.
  class Hold {
   public:
    explicit Hold(StepWait& wait);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    StepWait& wait_;
  };
  [[nodiscard]] Hold HoldWhileTheUserAnswers() { return Hold(*wait_); }

 private:
  std::shared_ptr<StepWait> wait_;
};

// Runs the steps the program asks of the print system one after another on a thread of its own,
// each bounded by its limit, so that a print system that never answers cannot hang the program.
// The one way every step is bounded, on every platform; the limits are in step_limits.h.
//
// A step that can be interrupted (a socket shut down) is interrupted when its time runs out and
// waited for to its end, which comes at once; it may use what its caller holds. One that cannot
// (a system call stuck on a network printer) is given up on: it runs to its end, and so do the
// steps queued after it; they must own everything they touch (captured by value, shared_ptr).
// A step is called with a StepClock& when it takes one. Several threads may post steps at once.
class BoundedWorker {
 public:
  BoundedWorker() = default;
  // Waits for the thread to finish its steps, unless one of them was given up on: then the
  // thread finishes them on its own and ends.
  ~BoundedWorker();
  BoundedWorker(const BoundedWorker&) = delete;
  BoundedWorker& operator=(const BoundedWorker&) = delete;

  // The step's result, or nothing when it did not end within the limit. A limit of zero waits
  // for nothing: the step is given up on at once, whatever it would have answered.
  template <typename Step>
  auto Run(std::chrono::milliseconds limit, Step step) {
    auto [wait, result] = Start(limit, std::move(step));
    using Result = typename decltype(result)::element_type::value_type;
    if (!AwaitOrGiveUp(*wait)) return std::optional<Result>();
    return std::move(*result);
  }

  // The step's result. When the limit runs out, `interrupt` is called, again and again until the
  // step has ended; the step tells its caller whether its time ran out.
  template <typename Step>
  auto RunInterruptible(std::chrono::milliseconds limit, Step step,
                        const std::function<void()>& interrupt) {
    auto [wait, result] = Start(limit, std::move(step));
    AwaitInterrupting(*wait, interrupt);
    return std::move(**result);
  }

  // Queues a step without waiting for it (the worker's end still does, unless a step was given
  // up on).
  void Post(std::function<void()> step) { queue_.Post(std::move(step)); }

 private:
  template <typename Step>
  static auto Invoke(Step& step, StepClock& clock) {
    if constexpr (std::is_invocable_v<Step&, StepClock&>) {
      return step(clock);
    } else {
      return step();
    }
  }

  template <typename Step>
  auto Start(std::chrono::milliseconds limit, Step step) {
    using Result = decltype(Invoke(step, std::declval<StepClock&>()));
    static_assert(!std::is_void_v<Result>, "a step gives a result, so that its end can be told");
    auto wait = std::make_shared<StepWait>(limit);
    auto result = std::make_shared<std::optional<Result>>();
    // Shared, so that a step that can only be moved still fits a queued function.
    auto shared_step = std::make_shared<Step>(std::move(step));
    Post([wait, result, shared_step] {
      StepClock clock(wait);
      result->emplace(Invoke(*shared_step, clock));
      {
        std::lock_guard lock(wait->mutex);
        wait->done = true;
      }
      wait->changed.notify_all();
    });
    return std::pair(wait, result);
  }

  // Whether the step ended in time; if not, it is given up on.
  bool AwaitOrGiveUp(StepWait& wait);
  void AwaitInterrupting(StepWait& wait, const std::function<void()>& interrupt);

  std::atomic<bool> given_up_ = false;  // a step ran past its limit and may still be running
  WorkQueue queue_;
};

}  // namespace varnok
