#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fleet/settings_job.h"

namespace varnok {

// Where the print server keeps the journal, unless VARNOK_JOURNAL or --journal name another.
inline constexpr std::string_view kDefaultJournalPath = "/var/lib/varnok-printer/journal.sqlite";

// The environment variable that names another journal for the backend and the commands.
inline constexpr std::string_view kJournalVariable = "VARNOK_JOURNAL";

// Why the journal could not be used.
enum class JournalProblem {
  Missing,      // no such file (read access only: writers create it)
  NotAllowed,   // the file or its folder may not be read (or written) by this user
  NotAJournal,  // the file is not a database, or one of another program
  Damaged,      // the database is corrupt
  Full,         // the disk is full
  Unavailable,  // this system keeps no journal
  Other,        // any other failure of the database
};

class JournalError : public std::runtime_error {
 public:
  JournalError(JournalProblem problem, const std::string& detail)
      : std::runtime_error(detail), problem_(problem) {}
  JournalProblem Problem() const { return problem_; }

 private:
  JournalProblem problem_;
};

// How a job ended. A job is written as begun before its first byte goes to the printer, so a
// backend killed or a machine stopped mid-job leaves it begun, never delivered.
enum class JobOutcome {
  Begun,      // not ended: still printing, or interrupted
  Delivered,  // the printer's own backend ended with success
  Failed,     // the printer's own backend ended with a failure
};

using JournalTime = std::chrono::system_clock::time_point;

// One job through the backend.
struct JournaledJob {
  std::int64_t row = 0;  // the journal's own number, in the order jobs began
  std::string queue;
  std::string device_uri;  // the printer's own device URI, behind the backend's
  std::int64_t job_id = 0;
  std::string user;
  std::string title;
  std::string host;  // where the job came from, when the print system tells
  JournalTime started;
  std::optional<JournalTime> ended;
  std::int64_t size = 0;  // bytes handed to the printer's backend, counted when the job ends
  JobOutcome outcome = JobOutcome::Begun;
  std::string message;  // a failed job: the printer's backend's last message
  int status = 0;       // a failed job: the backend's exit status
  // A settings job's settings, in its order; nothing for a label job.
  std::optional<std::vector<JobSetting>> settings;
};

// The journal of the jobs that went through the backend: a SQLite database that several
// backends write and several commands read at the same time (write-ahead logging; a writer
// waits for another rather than failing). Every value from a job is bound, never spliced into
// SQL. Throws JournalError.
class Journal {
 public:
  enum class Access { Read, Write };

  Journal(const std::string& path, Access access);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // Records a job before its bytes go to the printer; returns its row.
  std::int64_t Begin(const JournaledJob& job);
  // Records how the job ended. A label job's row is the last one kept of its queue's
  // kLabelJobsKept label jobs: older label rows are removed, settings jobs never.
  void End(std::int64_t row, JobOutcome outcome, JournalTime ended, std::int64_t size,
           std::string_view message, int status);

  // The jobs of the queues (every queue when none is named) begun at `since` or later, oldest
  // first.
  std::vector<JournaledJob> Jobs(const std::vector<std::string>& queues,
                                 std::optional<JournalTime> since);
  // The queue's settings jobs, newest first, until `take` returns false.
  void EachSettingsJobNewestFirst(std::string_view queue,
                                  const std::function<bool(const JournaledJob&)>& take);

 private:
  struct Database;
  std::unique_ptr<Database> database_;
};

// Label jobs kept per queue: enough for weeks of a busy printer's history, a few megabytes.
inline constexpr std::int64_t kLabelJobsKept = 10000;

// The journal path for a run: the one given, else VARNOK_JOURNAL, else the default.
std::string JournalPath(const std::string& given);

}  // namespace varnok
