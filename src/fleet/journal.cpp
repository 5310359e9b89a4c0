#include "fleet/journal.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <thread>
#include <utility>

namespace varnok {
namespace {

constexpr int kSchemaVersion = 1;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS jobs(
  id INTEGER PRIMARY KEY,
  queue TEXT NOT NULL COLLATE NOCASE,
  device_uri TEXT NOT NULL,
  job_id INTEGER NOT NULL,
  user TEXT NOT NULL,
  title TEXT NOT NULL,
  host TEXT NOT NULL,
  started_ms INTEGER NOT NULL,
  ended_ms INTEGER,
  size INTEGER NOT NULL DEFAULT 0,
  outcome TEXT NOT NULL CHECK(outcome IN ('begun', 'delivered', 'failed')),
  message TEXT NOT NULL DEFAULT '',
  status INTEGER NOT NULL DEFAULT 0,
  kind TEXT NOT NULL CHECK(kind IN ('settings', 'label')));
CREATE INDEX IF NOT EXISTS jobs_of_queue ON jobs(queue, kind, id);
CREATE INDEX IF NOT EXISTS jobs_by_start ON jobs(started_ms);
CREATE TABLE IF NOT EXISTS job_settings(
  job INTEGER NOT NULL REFERENCES jobs(id) ON DELETE CASCADE,
  position INTEGER NOT NULL,
  setting TEXT NOT NULL,
  value TEXT NOT NULL,
  command BLOB NOT NULL,
  PRIMARY KEY(job, position)) WITHOUT ROWID;
)sql";

// How long a writer or reader waits for another writer before giving up: jobs end a few
// milliseconds apart even when two hundred end at once.
constexpr int kBusyMilliseconds = 30000;

JournalProblem ProblemOf(int code) {
  switch (code & 0xff) {
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
      return JournalProblem::NotAllowed;
    case SQLITE_NOTADB:
      return JournalProblem::NotAJournal;
    case SQLITE_CORRUPT:
      return JournalProblem::Damaged;
    case SQLITE_FULL:
      return JournalProblem::Full;
    default:
      return JournalProblem::Other;
  }
}

std::int64_t Milliseconds(JournalTime time) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
}

JournalTime TimeOf(std::int64_t milliseconds) {
  return JournalTime(
      std::chrono::duration_cast<JournalTime::duration>(std::chrono::milliseconds(milliseconds)));
}

std::string_view OutcomeWord(JobOutcome outcome) {
  switch (outcome) {
    case JobOutcome::Begun:
      return "begun";
    case JobOutcome::Delivered:
      return "delivered";
    case JobOutcome::Failed:
      return "failed";
  }
  return "begun";
}

JobOutcome OutcomeOf(std::string_view word) {
  if (word == "delivered") return JobOutcome::Delivered;
  if (word == "failed") return JobOutcome::Failed;
  return JobOutcome::Begun;
}

}  // namespace

struct Journal::Database {
  sqlite3* handle = nullptr;

  ~Database() { sqlite3_close_v2(handle); }

  [[noreturn]] void Fail(int code) const {
    std::string detail = handle != nullptr ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
    throw JournalError(ProblemOf(code), detail);
  }

  void Check(int code) const {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) Fail(code);
  }

  void Execute(const char* sql) const {
    Check(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr));
  }

  // A new journal's first writers race to switch it to its write-ahead log, which SQLite settles
  // with a lock it does not wait for: the loser is told "database is locked" at once. It waits
  // here instead, as long as for any other writer. The mode stays in the file once set.
  void SwitchToWriteAheadLog() const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyMilliseconds);
    for (;;) {
      const int code = sqlite3_exec(handle, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
      if ((code & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() > deadline) {
        Check(code);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // One prepared statement, its values bound by position from 1.
  class Statement {
   public:
    Statement(const Database& database, const char* sql) : database_(database) {
      database_.Check(sqlite3_prepare_v2(database_.handle, sql, -1, &statement_, nullptr));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::int64_t value) {
      database_.Check(sqlite3_bind_int64(statement_, index, value));
      return *this;
    }
    Statement& Bind(int index, std::string_view text) {
      database_.Check(sqlite3_bind_text(statement_, index, text.data(),
                                        static_cast<int>(text.size()), SQLITE_TRANSIENT));
      return *this;
    }
    Statement& BindBytes(int index, std::string_view bytes) {
      database_.Check(sqlite3_bind_blob(statement_, index, bytes.data(),
                                        static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
      return *this;
    }
    // Whether a row came; false once the statement is done.
    bool Step() {
      const int code = sqlite3_step(statement_);
      database_.Check(code);
      return code == SQLITE_ROW;
    }
    void Reset() {
      sqlite3_reset(statement_);
      sqlite3_clear_bindings(statement_);
    }
    std::int64_t Integer(int column) const { return sqlite3_column_int64(statement_, column); }
    bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    std::string Text(int column) const {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
      return bytes == nullptr
                 ? std::string()
                 : std::string(bytes,
                               static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
    }

   private:
    const Database& database_;
    sqlite3_stmt* statement_ = nullptr;
  };

  static constexpr const char* kJobColumns =
      "SELECT id, queue, device_uri, job_id, user, title, host, started_ms, ended_ms, size, "
      "outcome, message, status, kind FROM jobs ";

  // The job in the row `each` stands on (selected with kJobColumns); `settings` reads its
  // settings.
  static JournaledJob ReadJob(const Statement& each, Statement& settings) {
    JournaledJob job;
    job.row = each.Integer(0);
    job.queue = each.Text(1);
    job.device_uri = each.Text(2);
    job.job_id = each.Integer(3);
    job.user = each.Text(4);
    job.title = each.Text(5);
    job.host = each.Text(6);
    job.started = TimeOf(each.Integer(7));
    if (!each.IsNull(8)) job.ended = TimeOf(each.Integer(8));
    job.size = each.Integer(9);
    job.outcome = OutcomeOf(each.Text(10));
    job.message = each.Text(11);
    job.status = static_cast<int>(each.Integer(12));
    if (each.Text(13) == "settings") {
      job.settings.emplace();
      settings.Bind(1, job.row);
      while (settings.Step()) {
        job.settings->push_back({settings.Text(0), settings.Text(1), settings.Text(2)});
      }
      settings.Reset();
    }
    return job;
  }

  Statement SettingsOfJob() const {
    return Statement(*this,
                     "SELECT setting, value, command FROM job_settings WHERE job = ?1 ORDER BY "
                     "position");
  }

  // Runs `work` in one transaction that takes the write lock at once, so that two writers never
  // deadlock on an upgrade from reading.
  template <typename Work>
  void Write(Work&& work) {
    Execute("BEGIN IMMEDIATE");
    try {
      work();
      Execute("COMMIT");
    } catch (...) {
      sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }
};

Journal::Journal(const std::string& path, Access access) : database_(std::make_unique<Database>()) {
  const int flags =
      access == Access::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
  const int opened = sqlite3_open_v2(path.c_str(), &database_->handle, flags, nullptr);
  if (opened != SQLITE_OK) {
    std::error_code error;
    if (access == Access::Read &&
        std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
      throw JournalError(JournalProblem::Missing, "no such file");
    }
    database_->Fail(opened);
  }
  sqlite3_extended_result_codes(database_->handle, 1);
  sqlite3_busy_timeout(database_->handle, kBusyMilliseconds);
  const std::int64_t found = [&] {
    Database::Statement version(*database_, "PRAGMA user_version");
    version.Step();
    return version.Integer(0);
  }();
  if (access == Access::Read) {
    if (found != kSchemaVersion) {
      throw JournalError(JournalProblem::NotAJournal, "not a journal of this program");
    }
    return;
  }
  if (found != 0 && found != kSchemaVersion) {
    throw JournalError(JournalProblem::NotAJournal, "not a journal of this program");
  }
  if (found == 0) database_->SwitchToWriteAheadLog();
  // The backend opens the journal for each job: its write-ahead log stays from one to the next
  // rather than being checkpointed, synced and removed at each close (milliseconds a job).
  int persist = 1;
  sqlite3_file_control(database_->handle, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
  sqlite3_db_config(database_->handle, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  database_->Execute("PRAGMA synchronous=NORMAL");
  database_->Execute("PRAGMA foreign_keys=ON");
  if (found == 0) {
    database_->Write([&] {
      database_->Execute(kSchema);
      database_->Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
    });
  }
}

Journal::~Journal() = default;

std::int64_t Journal::Begin(const JournaledJob& job) {
  std::int64_t row = 0;
  database_->Write([&] {
    Database::Statement insert(
        *database_,
        "INSERT INTO jobs(queue, device_uri, job_id, user, title, host, started_ms, outcome, kind) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, 'begun', ?8)");
    insert.Bind(1, job.queue)
        .Bind(2, job.device_uri)
        .Bind(3, job.job_id)
        .Bind(4, job.user)
        .Bind(5, job.title)
        .Bind(6, job.host)
        .Bind(7, Milliseconds(job.started))
        .Bind(8, std::string_view(job.settings ? "settings" : "label"))
        .Step();
    row = sqlite3_last_insert_rowid(database_->handle);
    if (!job.settings) return;
    Database::Statement setting(*database_,
                                "INSERT INTO job_settings(job, position, setting, value, command) "
                                "VALUES(?1, ?2, ?3, ?4, ?5)");
    std::int64_t position = 0;
    for (const JobSetting& each : *job.settings) {
      setting.Bind(1, row).Bind(2, position++).Bind(3, each.setting).Bind(4, each.value);
      setting.BindBytes(5, each.command).Step();
      setting.Reset();
    }
  });
  return row;
}

void Journal::End(std::int64_t row, JobOutcome outcome, JournalTime ended, std::int64_t size,
                  std::string_view message, int status) {
  database_->Write([&] {
    Database::Statement update(*database_,
                               "UPDATE jobs SET outcome = ?2, ended_ms = ?3, size = ?4, "
                               "message = ?5, status = ?6 WHERE id = ?1 RETURNING kind");
    update.Bind(1, row)
        .Bind(2, OutcomeWord(outcome))
        .Bind(3, Milliseconds(ended))
        .Bind(4, size)
        .Bind(5, message)
        .Bind(6, status);
    // Only a label job adds a label row; the pruning walks the queue's newest label rows, which
    // a settings job, a few bytes, need not pay for.
    const bool label = update.Step() && update.Text(0) == "label";
    update.Reset();
    if (!label) return;
    Database::Statement prune(*database_,
                              "DELETE FROM jobs WHERE kind = 'label' AND queue = "
                              "(SELECT queue FROM jobs WHERE id = ?1) AND id < "
                              "(SELECT id FROM jobs WHERE kind = 'label' AND queue = "
                              "(SELECT queue FROM jobs WHERE id = ?1) ORDER BY id DESC "
                              "LIMIT 1 OFFSET ?2)");
    prune.Bind(1, row).Bind(2, kLabelJobsKept - 1).Step();
  });
}

std::vector<JournaledJob> Journal::Jobs(const std::vector<std::string>& queues,
                                        std::optional<JournalTime> since) {
  std::vector<JournaledJob> jobs;
  Database::Statement settings = database_->SettingsOfJob();
  const auto read = [&](const Database::Statement& each) {
    return Database::ReadJob(each, settings);
  };
  const std::int64_t from = since ? Milliseconds(*since) : INT64_MIN;
  if (queues.empty()) {
    Database::Statement all(
        *database_,
        (std::string(Database::kJobColumns) + "WHERE started_ms >= ?1 ORDER BY id").c_str());
    all.Bind(1, from);
    while (all.Step()) jobs.push_back(read(all));
    return jobs;
  }
  Database::Statement some(
      *database_,
      (std::string(Database::kJobColumns) + "WHERE queue = ?1 AND started_ms >= ?2").c_str());
  for (const std::string& queue : queues) {
    some.Bind(1, queue).Bind(2, from);
    while (some.Step()) jobs.push_back(read(some));
    some.Reset();
  }
  std::ranges::sort(jobs, {}, &JournaledJob::row);
  return jobs;
}

void Journal::EachSettingsJobNewestFirst(std::string_view queue,
                                         const std::function<bool(const JournaledJob&)>& take) {
  Database::Statement settings = database_->SettingsOfJob();
  Database::Statement newest_first(*database_,
                                   (std::string(Database::kJobColumns) +
                                    "WHERE queue = ?1 AND kind = 'settings' ORDER BY id DESC")
                                       .c_str());
  newest_first.Bind(1, queue);
  while (newest_first.Step()) {
    if (!take(Database::ReadJob(newest_first, settings))) return;
  }
}

}  // namespace varnok
