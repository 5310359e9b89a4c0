#include "printer/bounded_worker.h"

#include <utility>

namespace varnok {

BoundedWorker::BoundedWorker(std::chrono::milliseconds limit) : limit_(limit) {}

BoundedWorker::~BoundedWorker() {
  {
    std::lock_guard lock(queue_->mutex);
    queue_->closing = true;
  }
  queue_->changed.notify_one();
  if (!thread_.joinable()) return;
  // A thread still running when the program ends would be cut off wherever it is, so it is
  // waited for, unless it may be stuck in a call that never returns.
  if (given_up_) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

void BoundedWorker::Post(std::function<void()> task) {
  {
    std::lock_guard lock(queue_->mutex);
    queue_->tasks.push_back(std::move(task));
  }
  queue_->changed.notify_one();
  if (!thread_.joinable()) thread_ = std::thread(Serve, queue_);
}

void BoundedWorker::Serve(std::shared_ptr<Queue> queue) {
  while (true) {
    std::function<void()> task;
    {
      std::unique_lock lock(queue->mutex);
      queue->changed.wait(lock, [&queue] { return queue->closing || !queue->tasks.empty(); });
      if (queue->tasks.empty()) return;
      task = std::move(queue->tasks.front());
      queue->tasks.pop_front();
    }
    task();
  }
}

}  // namespace varnok
