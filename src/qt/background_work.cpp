#include "qt/background_work.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace varnok {

namespace {

// The threads still running; they are detached, so none holds up the window that started it.
struct Running {
  std::mutex mutex;
  std::condition_variable ended;
  int count = 0;
};

Running& running() {
  static Running state;
  return state;
}

}  // namespace

void RunInBackground(std::function<void()> work) {
  Running& state = running();
  {
    const std::lock_guard lock(state.mutex);
    ++state.count;
  }
  std::thread([work = std::move(work), &state] {
    work();
    const std::lock_guard lock(state.mutex);
    if (--state.count == 0) state.ended.notify_all();
  }).detach();
}

void WaitForBackgroundWork() {
  Running& state = running();
  std::unique_lock lock(state.mutex);
  state.ended.wait(lock, [&state] { return state.count == 0; });
}

}  // namespace varnok
