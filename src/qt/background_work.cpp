#include "qt/background_work.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
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

bool OnInterfaceThread() {
  const QCoreApplication* application = QCoreApplication::instance();
  return application != nullptr && QThread::currentThread() == application->thread();
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
  using namespace std::chrono_literals;
  Running& state = running();
  const bool serve_interface = OnInterfaceThread();
  std::unique_lock lock(state.mutex);
  while (!state.ended.wait_for(lock, 10ms, [&state] { return state.count == 0; })) {
    // The work may be waiting for the interface thread (a password dialog it asks for).
    if (!serve_interface) continue;
    lock.unlock();
    QCoreApplication::processEvents();
    lock.lock();
  }
}

}  // namespace varnok
