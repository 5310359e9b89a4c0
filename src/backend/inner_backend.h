#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The system's backend for a device URI: $CUPS_SERVERBIN/backend/<scheme>. Nothing when the
// scheme is not one (it must not name another folder).
std::optional<std::string> InnerBackendProgram(std::string_view device_uri);

// How a run of the inner backend ended.
struct InnerEnd {
  int status = 0;             // its exit status when it exited
  int signal = 0;             // the signal that ended it, or 0
  bool told_to_stop = false;  // this process was sent SIGTERM (the job cancelled) and passed it on
  std::string last_message;   // its last message to the scheduler, without the level
  std::int64_t size = 0;      // bytes passed to it on its standard input
};

struct InnerRun {
  std::string program;
  std::string device_uri;              // its DEVICE_URI and argv[0]
  std::vector<std::string> arguments;  // job-id user title copies options [file]
  // Without a file argument: the job's first bytes, already read from standard input, which
  // it is given before the rest of standard input.
  std::string_view head;
};

// Runs the inner backend as the scheduler would have run it for the device itself (as the user
// lp when this process is root and the program is world-readable and -executable), with the
// scheduler's back and side channels (descriptors 3 and 4). Its messages pass through to ours
// unchanged; a SIGTERM to this process is passed on to it. Throws std::system_error when it
// cannot be started.
InnerEnd RunInnerBackend(const InnerRun& run);

}  // namespace varnok
