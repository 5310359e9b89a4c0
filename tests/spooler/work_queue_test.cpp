#include "spooler/work_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace varnok {
namespace {

// Stopping waits for the piece under way and hands back the pieces not begun, undone (the
// printer worker drops a window's waiting work on the interface thread at the program's end):
// every piece is either done, in order, or handed back, never both.
TEST(WorkQueueTest, StopEndsThePieceUnderWayAndHandsBackTheRestUndone) {
  std::vector<int> done;  // written on the queue's thread, read after Stop has joined it
  std::promise<void> started;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  WorkQueue queue;
  queue.Post([&] {
    started.set_value();
    released.wait();
    done.push_back(0);
  });
  for (int piece = 1; piece <= 3; ++piece) queue.Post([&done, piece] { done.push_back(piece); });
  started.get_future().wait();
  auto stopped = std::async(std::launch::async, [&queue] { return queue.Stop(); });
  // Time for Stop to take the waiting pieces first, as it mostly does; the checks hold either way.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  release.set_value();
  const auto undone = stopped.get();
  ASSERT_FALSE(done.empty());
  for (size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], static_cast<int>(i));
  EXPECT_EQ(done.size() + undone.size(), 4u);
}

}  // namespace
}  // namespace varnok
