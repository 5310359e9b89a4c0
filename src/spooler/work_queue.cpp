#include "spooler/work_queue.h"

#include <utility>

namespace varnok {

WorkQueue::~WorkQueue() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
  }
  shared_->changed.notify_all();
  // Nothing is handed over any more: the thread is this one's alone.
  if (thread_.joinable()) thread_.join();
}

void WorkQueue::Post(std::function<void()> work) {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->waiting.push_back(std::move(work));
    if (!thread_.joinable()) thread_ = std::thread(Serve, shared_);
  }
  shared_->changed.notify_all();
}

std::deque<std::function<void()>> WorkQueue::Stop() {
  std::deque<std::function<void()>> undone;
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
    undone.swap(shared_->waiting);
  }
  shared_->changed.notify_all();
  if (thread_.joinable()) thread_.join();
  return undone;
}

void WorkQueue::LetGo() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
  }
  shared_->changed.notify_all();
  if (thread_.joinable()) thread_.detach();
}

void WorkQueue::Serve(const std::shared_ptr<Shared>& shared) {
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&shared] { return shared->closing || !shared->waiting.empty(); });
    if (shared->waiting.empty()) return;
    std::function<void()> work = std::move(shared->waiting.front());
    shared->waiting.pop_front();
    lock.unlock();
    work();
    work = nullptr;
    lock.lock();
  }
}

}  // namespace varnok
