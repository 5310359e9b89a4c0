#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spooler/spooler.h"

namespace varnok::testing {

// An in-memory spooler for the failure paths the real scheduler cannot easily produce.
class FakeSpooler : public Spooler {
 public:
  struct Queue {
    std::optional<std::string> make_and_model;
    std::optional<DescribeFailure> describe_fails = std::nullopt;  // set: describing fails there
    bool refuses_jobs = false;                                     // CreateRawJob fails
    bool write_fails = false;                                      // RawJob::Write fails
    bool finish_fails = false;                                     // RawJob::Finish fails
    // How many requests about the queue (open, describe, create a job) are answered before
    // the spooler falls silent; -1 answers all.
    int answers = -1;
  };
  struct Job {
    std::string queue;
    std::string title;
    std::string bytes;
    int writes = 0;
    bool finished = false;
    bool cancelled = false;
  };

  // Queues keep the order in which they were added.
  void AddQueue(std::string name) { AddQueue(std::move(name), Queue{}); }
  void AddQueue(std::string name, Queue queue) {
    names_.push_back(name);
    queues_[std::move(name)] = std::move(queue);
  }
  void RemoveQueue(const std::string& name) {
    std::erase(names_, name);
    queues_.erase(name);
  }
  Queue& queue(const std::string& name) { return queues_.at(name); }
  const std::vector<Job>& jobs() const { return jobs_; }
  // Set: listing the queues fails with it.
  std::optional<SpoolerFailure> list_failure;
  int open_count() const { return open_count_; }

  SpoolerResult<std::vector<std::string>> ListQueues() override {
    if (list_failure) return *list_failure;
    return names_;
  }

  SpoolerResult<void> OpenQueue(std::string_view queue) override {
    ++open_count_;
    if (FallsSilent(queue)) return kNoAnswer;
    if (queues_.contains(std::string(queue))) return {};
    return kMissing;
  }

  SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) override {
    if (FallsSilent(queue)) {
      SpoolerFailure silent = kNoAnswer;
      silent.describe = DescribeFailure::SizeQueryFailed;
      return silent;
    }
    auto it = queues_.find(std::string(queue));
    if (it == queues_.end()) return kMissing;
    if (it->second.describe_fails) {
      return SpoolerFailure{
          .status = 1280, .reason = "internal error", .describe = *it->second.describe_fails};
    }
    return QueueDescription{it->second.make_and_model, !it->second.refuses_jobs};
  }

  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override {
    if (FallsSilent(queue)) return kNoAnswer;
    auto it = queues_.find(std::string(queue));
    if (it == queues_.end()) return kMissing;
    if (it->second.refuses_jobs) {
      return SpoolerFailure{1031,
                            "Destination \"" + std::string(queue) + "\" is not accepting jobs."};
    }
    jobs_.push_back({std::string(queue), std::string(title), {}, 0, false, false});
    return std::make_unique<FakeJob>(*this, jobs_.size() - 1, it->second);
  }

  static constexpr int kNotFound = 1030;
  static inline const SpoolerFailure kNoAnswer{1280, "the print system did not answer in time",
                                               true};
  static inline const SpoolerFailure kMissing{kNotFound, "The printer or class does not exist."};

 private:
  // Counts one request about the queue; true once it has used up its answers.
  bool FallsSilent(std::string_view queue) {
    auto it = queues_.find(std::string(queue));
    if (it == queues_.end() || it->second.answers < 0) return false;
    if (it->second.answers == 0) return true;
    --it->second.answers;
    return false;
  }

  class FakeJob : public RawJob {
   public:
    FakeJob(FakeSpooler& owner, size_t index, const Queue& queue)
        : owner_(owner), index_(index), queue_(queue) {}
    ~FakeJob() override {
      if (!job().finished) Cancel();
    }
    SpoolerResult<void> Write(std::string_view bytes) override {
      if (queue_.write_fails) return SpoolerFailure{1280, "write failed"};
      job().bytes.append(bytes);
      ++job().writes;
      return {};
    }
    SpoolerResult<void> Finish() override {
      if (queue_.finish_fails) return SpoolerFailure{1280, "finish failed"};
      job().finished = true;
      return {};
    }
    void Cancel() override { job().cancelled = true; }

   private:
    Job& job() { return owner_.jobs_[index_]; }
    FakeSpooler& owner_;
    size_t index_;
    Queue queue_;
  };

  std::vector<std::string> names_;
  std::map<std::string, Queue> queues_;
  std::vector<Job> jobs_;
  int open_count_ = 0;
};

}  // namespace varnok::testing
