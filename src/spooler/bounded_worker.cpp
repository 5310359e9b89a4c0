#include "spooler/bounded_worker.h"

namespace varnok {
namespace {

using Clock = StepWait::Clock;

// How often an interrupted step that has not ended yet is interrupted again: a step may have
// connected afresh after the first.
constexpr std::chrono::milliseconds kInterruptAgain{100};

// Waits, with the step's mutex held, until the step has ended or its time has run out; whether
// it ended. Time the step holds its clock counts for nothing.
bool WaitWithinLimit(std::unique_lock<std::mutex>& lock, StepWait& wait) {
  while (!wait.done) {
    if (wait.held) {
      wait.changed.wait(lock);
    } else if (wait.limit <= std::chrono::milliseconds::zero() || Clock::now() >= wait.deadline) {
      return false;
    } else {
      wait.changed.wait_until(lock, wait.deadline);
    }
  }
  return true;
}

}  // namespace

StepClock::Hold::Hold(StepWait& wait) : wait_(wait) {
  std::lock_guard lock(wait_.mutex);
  wait_.held = true;
}

StepClock::Hold::~Hold() {
  {
    std::lock_guard lock(wait_.mutex);
    wait_.held = false;
    wait_.deadline = Clock::now() + wait_.limit;
  }
  wait_.changed.notify_all();
}

BoundedWorker::~BoundedWorker() {
  // A thread still running when the program ends would be cut off wherever it is, so it is
  // waited for (by the queue), unless it may be stuck in a call that never returns.
  if (given_up_) queue_.LetGo();
}

bool BoundedWorker::AwaitOrGiveUp(StepWait& wait) {
  std::unique_lock lock(wait.mutex);
  // With no time at all, even a step that has already ended is given up on: what the caller
  // is told must not depend on how fast the thread was.
  if (wait.limit > std::chrono::milliseconds::zero() && WaitWithinLimit(lock, wait)) return true;
  given_up_ = true;
  return false;
}

void BoundedWorker::AwaitInterrupting(StepWait& wait, const std::function<void()>& interrupt) {
  std::unique_lock lock(wait.mutex);
  if (WaitWithinLimit(lock, wait)) return;
  while (!wait.done) {
    lock.unlock();
    interrupt();
    lock.lock();
    wait.changed.wait_for(lock, kInterruptAgain, [&wait] { return wait.done; });
  }
}

}  // namespace varnok
