#pragma once

#include <sys/types.h>

#include "support/scheduler_config.h"

namespace varnok::testing {

// One private cupsd, run in the foreground as a child of this process. The child is told to
// stop when the thread that started it ends (PR_SET_PDEATHSIG), so a test that crashes leaves
// no scheduler behind.
class SchedulerProcess {
 public:
  explicit SchedulerProcess(const SchedulerFolders& folders) : folders_(folders) {}
  ~SchedulerProcess() { Stop(); }
  SchedulerProcess(const SchedulerProcess&) = delete;
  SchedulerProcess& operator=(const SchedulerProcess&) = delete;

  // Returns once the scheduler takes connections; throws std::runtime_error with its log when
  // it does not come up.
  void Start();
  void Stop();
  // A frozen scheduler still takes connections (the system queues them) but answers nothing.
  void Freeze();
  void Thaw();

 private:
  bool AcceptsConnections() const;
  std::string Logs() const;

  const SchedulerFolders& folders_;
  pid_t pid_ = -1;
};

}  // namespace varnok::testing
