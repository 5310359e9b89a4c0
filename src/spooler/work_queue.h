#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace varnok {

// Work done one piece after the other, in the order handed over, on a thread of its own, started
// with the first piece: the one queue loop beneath the printer worker and each connection's
// bounded steps. Any thread may hand work over. A piece is destroyed on the thread once done.
class WorkQueue {
 public:
  WorkQueue() = default;
  // Does the waiting work, then ends the thread, waiting for it unless it was let go.
  ~WorkQueue();
  WorkQueue(const WorkQueue&) = delete;
  WorkQueue& operator=(const WorkQueue&) = delete;

  void Post(std::function<void()> work);

  // Takes no more work and waits for the piece under way; the work not yet begun is handed
  // back, undone, for the caller to drop where it likes.
  std::deque<std::function<void()>> Stop();

  // Lets the thread do the waiting work and end on its own, without anybody waiting for it: for
  // a piece that may never end. Nothing more may be handed over.
  void LetGo();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> waiting;
    bool closing = false;
  };

  static void Serve(const std::shared_ptr<Shared>& shared);

  // Shared with the thread, which outlives the queue once let go.
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::thread thread_;  // started with the first piece, under the mutex
};

}  // namespace varnok
