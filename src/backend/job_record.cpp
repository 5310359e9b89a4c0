#include "backend/job_record.h"

#include <sys/stat.h>

#include <cstdio>

namespace varnok {
namespace {

std::string_view Why(const std::exception& error) {
  const auto* journal_error = dynamic_cast<const JournalError*>(&error);
  if (journal_error == nullptr) return "it failed";
  switch (journal_error->Problem()) {
    case JournalProblem::Missing:
    case JournalProblem::NotAllowed:
      return "it may not be written here";
    case JournalProblem::NotAJournal:
      return "the file is not a journal";
    case JournalProblem::Damaged:
      return "it is damaged";
    case JournalProblem::Full:
      return "the disk is full";
    case JournalProblem::Unavailable:
    case JournalProblem::Other:
      break;
  }
  return "it failed";
}

}  // namespace

JobRecord::JobRecord(std::string path, const JournaledJob& job) : path_(std::move(path)) {
  // The journal is the lpadmin group's to read (its folder passes the group on): a journal this
  // creates, and its write-ahead files, which take the journal's mode, are not for others.
  const mode_t umask_before = umask(027);
  try {
    journal_ = std::make_unique<Journal>(path_, Journal::Access::Write);
    row_ = journal_->Begin(job);
  } catch (const std::exception& error) {
    Warn("The job prints without a record in the journal", error);
  }
  umask(umask_before);
}

JobRecord::~JobRecord() = default;

void JobRecord::End(JobOutcome outcome, std::int64_t size, std::string_view message, int status) {
  if (!journal_) return;
  try {
    journal_->End(row_, outcome, std::chrono::system_clock::now(), size, message, status);
  } catch (const std::exception& error) {
    Warn("The end of the job is not recorded in the journal", error);
  }
}

void JobRecord::Warn(std::string_view what, const std::exception& error) {
  // WARNING: the scheduler logs it at its default level and the job's state is untouched.
  std::fprintf(stderr, "WARNING: %s %s: %s (%s)\n", std::string(what).c_str(), path_.c_str(),
               std::string(Why(error)).c_str(), error.what());
  std::fflush(stderr);
  journal_.reset();
}

}  // namespace varnok
