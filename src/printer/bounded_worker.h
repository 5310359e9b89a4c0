#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>

namespace varnok {

// Runs tasks one after another on a thread of its own, so that a caller can give up waiting for
// a system call that may block for ever (a spooler stuck on a network printer) and still know
// that later tasks run only after it. A task the caller gave up on runs to its end, and so do
// the tasks queued after it; the thread ends once the worker is gone and its queue is empty.
// Tasks must therefore own everything they touch (captured by value, shared_ptr).
class BoundedWorker {
 public:
  explicit BoundedWorker(std::chrono::milliseconds limit);
  // Waits for the thread to finish its tasks, unless one of them ran past its limit: then the
  // thread finishes them on its own and ends.
  ~BoundedWorker();
  BoundedWorker(const BoundedWorker&) = delete;
  BoundedWorker& operator=(const BoundedWorker&) = delete;

  // The task's result, or nothing when it did not finish within the limit. A limit of zero
  // waits for nothing: every task is given up at once, whatever it would have answered.
  template <typename Task>
  std::optional<std::invoke_result_t<Task>> Run(Task task) {
    using Result = std::invoke_result_t<Task>;
    static_assert(!std::is_void_v<Result>, "a task gives a result, so that its end can be told");
    auto packaged = std::make_shared<std::packaged_task<Result()>>(std::move(task));
    std::future<Result> result = packaged->get_future();
    Post([packaged] { (*packaged)(); });
    if (limit_ <= std::chrono::milliseconds::zero() ||
        result.wait_for(limit_) != std::future_status::ready) {
      given_up_ = true;
      return std::nullopt;
    }
    return result.get();
  }

  // Queues a task without waiting for it (the worker's end still does, unless a task ran past
  // its limit).
  void Post(std::function<void()> task);

 private:
  struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> tasks;
    bool closing = false;
  };
  static void Serve(std::shared_ptr<Queue> queue);

  std::chrono::milliseconds limit_;
  bool given_up_ = false;  // a task ran past its limit
  std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
  std::thread thread_;  // started with the first task
};

}  // namespace varnok
