#include "spooler/bounded_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnok {
namespace {

using std::chrono_literals::operator""ms;
using std::chrono_literals::operator""s;

// What the tasks of one test did, in order; shared with tasks that may outlive the test's wait.
struct Trace {
  std::mutex mutex;
  std::vector<std::string> steps;
  void Add(std::string step) {
    std::lock_guard lock(mutex);
    steps.push_back(std::move(step));
  }
  std::vector<std::string> Steps() {
    std::lock_guard lock(mutex);
    return steps;
  }
};

TEST(BoundedWorkerTest, TasksRunInOrderAndGiveTheirResults) {
  auto trace = std::make_shared<Trace>();
  BoundedWorker worker;
  worker.Post([trace] { trace->Add("posted"); });
  EXPECT_EQ(worker.Run(10s,
                       [trace] {
                         trace->Add("run");
                         return 42;
                       }),
            42);
  EXPECT_EQ(trace->Steps(), (std::vector<std::string>{"posted", "run"}));
}

// A task that blocks past the limit is given up on, but still ends, and the tasks after it run
// only then, in order, also when the worker itself is gone by that time.
TEST(BoundedWorkerTest, StuckTaskIsGivenUpAndLaterTasksWaitForIt) {
  auto trace = std::make_shared<Trace>();
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> all_done;
  std::future<void> done = all_done.get_future();
  {
    BoundedWorker worker;
    const std::optional<int> stuck = worker.Run(50ms, [trace, released] {
      released.wait();
      trace->Add("stuck task ends");
      return 1;
    });
    EXPECT_FALSE(stuck.has_value());
    const std::optional<int> next = worker.Run(50ms, [trace] {
      trace->Add("next task");
      return 2;
    });
    EXPECT_FALSE(next.has_value());  // it waits behind the stuck one
    worker.Post([trace, done = std::make_shared<std::promise<void>>(std::move(all_done))] {
      trace->Add("clean-up");
      done->set_value();
    });
  }
  EXPECT_TRUE(trace->Steps().empty());
  release.set_value();
  ASSERT_EQ(done.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(trace->Steps(), (std::vector<std::string>{"stuck task ends", "next task", "clean-up"}));
}

// A step that can be interrupted is, once its time runs out, as often as it takes, and is waited
// for; time it spends waiting for the user counts for nothing.
TEST(BoundedWorkerTest, InterruptibleStepIsInterruptedOnlyOnceItsOwnTimeRunsOut) {
  BoundedWorker worker;
  std::atomic<int> interruptions = 0;
  const auto started = std::chrono::steady_clock::now();
  const std::chrono::steady_clock::duration held = worker.RunInterruptible(
      200ms,
      [&interruptions](StepClock& clock) {
        const auto asked = std::chrono::steady_clock::now();
        {
          const StepClock::Hold hold = clock.HoldWhileTheUserAnswers();
          std::this_thread::sleep_for(400ms);  // the user answers
        }
        EXPECT_EQ(interruptions, 0);
        const auto answered = std::chrono::steady_clock::now();
        while (interruptions < 2) std::this_thread::sleep_for(10ms);  // deaf to the first
        return answered - asked;
      },
      [&interruptions] { ++interruptions; });
  EXPECT_GE(held, 400ms);
  EXPECT_GE(std::chrono::steady_clock::now() - started, held + 200ms);
}

}  // namespace
}  // namespace varnok
