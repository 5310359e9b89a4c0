// The CUPS backend "varnok". A queue whose device URI is "varnok:socket://10.0.0.7:9100" has the
// scheduler run it as `varnok job-id user title copies options [file]`; it runs the system's
// backend for "socket://10.0.0.7:9100" with the same job, and records the job in the journal:
// as begun before the first byte goes out, then delivered or failed as that backend ended. The
// job prints exactly as it would without it, whatever becomes of the journal.
#include <cups/backend.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "backend/inner_backend.h"
#include "backend/job_record.h"
#include "fleet/journal.h"
#include "fleet/journaled_device.h"
#include "fleet/settings_job.h"

namespace {

using namespace varnok;

// The first bytes of the job, as many as tell a settings job from a label job.
std::string ReadHead(int fd) {
  std::string head(kLargestSettingsJob + 1, '\0');
  std::size_t size = 0;
  while (size < head.size()) {
    const ssize_t got = read(fd, head.data() + size, head.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    size += static_cast<std::size_t>(got);
  }
  head.resize(size);
  return head;
}

// One option's value in the scheduler's options argument: "name=value" words, a value quoted
// with ' or " or its characters escaped with \. Read here rather than with libcups, whose
// loading alone costs each job milliseconds.
std::string OptionValue(std::string_view options, std::string_view name) {
  std::size_t at = 0;
  while (at < options.size()) {
    while (at < options.size() && options[at] == ' ') ++at;
    const std::size_t name_start = at;
    while (at < options.size() && options[at] != '=' && options[at] != ' ') ++at;
    const std::string_view found = options.substr(name_start, at - name_start);
    std::string value;
    if (at < options.size() && options[at] == '=') {
      char quote = 0;
      for (++at; at < options.size() && (quote != 0 || options[at] != ' '); ++at) {
        const char c = options[at];
        if (c == '\\' && at + 1 < options.size()) {
          value += options[++at];
        } else if (quote == 0 && (c == '\'' || c == '"')) {
          quote = c;
        } else if (c == quote) {
          quote = 0;
        } else {
          value += c;
        }
      }
    }
    if (found == name) return value;
  }
  return {};
}

std::int64_t Number(const char* text) {
  std::int64_t number = 0;
  std::from_chars(text, text + std::strlen(text), number);
  return number;
}

void Message(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  // Device discovery: the queues that go through this backend are made by hand.
  if (argc == 1) return CUPS_BACKEND_OK;
  if (argc != 6 && argc != 7) {
    std::fprintf(stderr, "Usage: %s job-id user title copies options [file]\n", argv[0]);
    return CUPS_BACKEND_FAILED;
  }
  const char* device_uri = std::getenv("DEVICE_URI");
  const std::optional<std::string> inner = InnerDeviceUri(device_uri != nullptr ? device_uri : "");
  if (!inner) {
    Message("ERROR: The device URI names no printer after \"varnok:\"");
    return CUPS_BACKEND_FAILED;
  }

  // A job given as a file goes to the inner backend as that file, so that it sends the copies
  // asked for as it does for the queue itself; only its first bytes are read here.
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string head;
  std::int64_t file_size = 0;
  if (argc == 7) {
    const int file = open(argv[6], O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (file < 0 || fstat(file, &status) != 0) {
      Message(std::string("ERROR: Cannot read the job's file: ") + std::strerror(errno));
      return CUPS_BACKEND_FAILED;
    }
    head = ReadHead(file);
    file_size = status.st_size;
    close(file);
  } else {
    head = ReadHead(STDIN_FILENO);
  }

  JournaledJob job;
  const char* queue = std::getenv("PRINTER");
  job.queue = queue != nullptr ? queue : "";
  job.device_uri = *inner;
  job.job_id = Number(argv[1]);
  job.user = argv[2];
  job.title = argv[3];
  job.host = OptionValue(argv[5], "job-originating-host-name");
  job.started = std::chrono::system_clock::now();
  job.settings = ReadSettingsJob(head);
  JobRecord record(JournalPath(""), job);

  const std::optional<std::string> program = InnerBackendProgram(*inner);
  struct stat program_status {};
  if (!program || stat(program->c_str(), &program_status) != 0 ||
      !S_ISREG(program_status.st_mode) || (program_status.st_mode & S_IXUSR) == 0) {
    const std::string message =
        "No backend for the device URI " + *inner + (program ? " (" + *program + ")" : "");
    Message("ERROR: " + message);
    record.End(JobOutcome::Failed, 0, message, CUPS_BACKEND_FAILED);
    return CUPS_BACKEND_FAILED;
  }

  InnerEnd end;
  try {
    end = RunInnerBackend({*program, *inner, arguments, head});
  } catch (const std::exception& error) {
    const std::string message = "Cannot run " + *program + ": " + error.what();
    Message("ERROR: " + message);
    record.End(JobOutcome::Failed, 0, message, CUPS_BACKEND_FAILED);
    return CUPS_BACKEND_FAILED;
  }
  const std::int64_t size = argc == 7 ? file_size : end.size;
  // A cancelled job stays begun: what reached the printer is not known.
  if (!end.told_to_stop) {
    if (end.signal != 0) {
      record.End(JobOutcome::Failed, size,
                 end.last_message.empty() ? "ended by signal " + std::to_string(end.signal)
                                          : end.last_message,
                 128 + end.signal);
    } else {
      record.End(end.status == CUPS_BACKEND_OK ? JobOutcome::Delivered : JobOutcome::Failed, size,
                 end.status == CUPS_BACKEND_OK ? "" : end.last_message, end.status);
    }
  }
  if (end.signal != 0) {
    signal(end.signal, SIG_DFL);
    raise(end.signal);
  }
  return end.status;
}
