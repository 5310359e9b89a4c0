#include "cli/history_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <set>

#include "cli/command_help.h"
#include "cli/journal_reading.h"
#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/table.h"
#include "cli/utc_time.h"
#include "fleet/journal.h"
#include "foundation/message_template.h"

namespace varnok::cli {
namespace {

enum class Shown { Delivered, Failed, Interrupted, Printing };

constexpr std::string_view kShownKeywords[] = {"delivered", "failed", "interrupted", "printing"};

Shown ShownOutcome(const JournaledJob& job, const std::set<std::int64_t>& unfinished) {
  switch (job.outcome) {
    case JobOutcome::Delivered:
      return Shown::Delivered;
    case JobOutcome::Failed:
      return Shown::Failed;
    case JobOutcome::Begun:
      break;
  }
  return unfinished.contains(job.job_id) ? Shown::Printing : Shown::Interrupted;
}

std::string Carried(const JournaledJob& job, const CliTexts& texts) {
  if (!job.settings && !job.ended) return std::string(texts.label_job_unended);
  if (!job.settings) return FillIn(texts.label_job, {{"size", std::to_string(job.size)}});
  std::string carried;
  for (const JobSetting& setting : *job.settings) {
    texts.AddToList(
        carried, setting.value.empty() ? setting.setting : setting.setting + "=" + setting.value);
  }
  return carried;
}

}  // namespace

void ShowHistory(const std::string& journal_path, const std::vector<std::string>& queues,
                 const std::optional<std::string>& since, PrintServer& server,
                 const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  std::optional<JournalTime> from;
  if (since) {
    from = ReadUtcTime(*since);
    if (!from) throw UsageError(FillIn(texts.not_a_time, {{"text", *since}}));
  }
  const std::vector<std::string> named =
      queues.empty() ? queues : NamedQueues(queues, server, output.language);
  const std::vector<JournaledJob> jobs = ReadJournal(
      journal_path, output.language, [&](Journal& journal) { return journal.Jobs(named, from); });
  // Only a job not ended needs the print server's word: is it still printing?
  std::set<std::int64_t> unfinished;
  if (std::ranges::any_of(
          jobs, [](const JournaledJob& job) { return job.outcome == JobOutcome::Begun; })) {
    const auto jobs_now = server.UnfinishedJobs();
    if (!jobs_now) {
      throw ServerError(ServerProblem(texts, texts.jobs_action, jobs_now.failure(), server.Name()));
    }
    for (const UnfinishedJob& job : *jobs_now) unfinished.insert(job.id);
  }
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const JournaledJob& job : jobs) {
      nlohmann::ordered_json settings = nullptr;
      if (job.settings) {
        settings = nlohmann::ordered_json::array();
        for (const JobSetting& setting : *job.settings) {
          settings.push_back({{"setting", setting.setting},
                              {"value", setting.value},
                              {"command_bytes", HexBytes(setting.command)}});
        }
      }
      list.push_back(
          {{"queue", job.queue},
           {"job", job.job_id},
           {"device_uri", job.device_uri},
           {"user", job.user},
           {"host", OrNull(job.host)},
           {"title", job.title},
           {"started_at", UtcTime(job.started)},
           {"ended_at", job.ended ? nlohmann::ordered_json(UtcTime(*job.ended)) : nullptr},
           // Bytes handed to the printer are counted when the job ends.
           {"size", job.ended ? nlohmann::ordered_json(job.size) : nullptr},
           {"kind", job.settings ? "settings" : "label"},
           {"outcome", kShownKeywords[static_cast<int>(ShownOutcome(job, unfinished))]},
           {"message", OrNull(job.message)},
           {"status",
            job.outcome == JobOutcome::Failed ? nlohmann::ordered_json(job.status) : nullptr},
           {"settings", settings}});
    }
    PrintJson(output.out, {{"journal", journal_path}, {"jobs", list}});
    return;
  }
  Table table({texts.started_heading, texts.queue_heading, texts.job_heading, texts.by_heading,
               texts.result_heading, texts.carried_heading});
  for (const JournaledJob& job : jobs) {
    std::string outcome(texts.outcomes[static_cast<int>(ShownOutcome(job, unfinished))]);
    if (job.outcome == JobOutcome::Failed && !job.message.empty()) {
      outcome += texts.reason_follows;
      outcome += job.message;
    }
    table.Add({UtcTime(job.started), job.queue, std::to_string(job.job_id),
               job.host.empty() ? job.user : job.user + "@" + job.host, outcome,
               Carried(job, texts)});
  }
  table.Print(output.out);
}

namespace {

constexpr std::string_view kHistoryHelp =
    "Shows the jobs that went through the journal, newest last: when each began, its\n"
    "queue, job number, user (and host), outcome and what it carried: the settings of\n"
    "a settings job (name=value, the value as the printer took it), or a label job's\n"
    "size. Outcomes: delivered (the printer's backend took every byte), failed (with\n"
    "the backend's last message), interrupted (the backend was stopped or the machine\n"
    "went down before the end), printing.\n"
    "\n"
    "With --json: {\"journal\", \"jobs\": [{\"queue\", \"job\", \"device_uri\", \"user\",\n"
    "\"host\", \"title\", \"started_at\", \"ended_at\", \"size\", \"kind\", \"outcome\",\n"
    "\"message\", \"status\", \"settings\": [{\"setting\", \"value\", \"command_bytes\"}]}]}.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer history VARNOK_DOCK3 --since 2026-12-01";

struct HistoryWords {
  std::vector<std::string> queues;
  std::string since;
  std::string journal;
  bool json = false;
};

}  // namespace

Command HistoryCommand(CLI::App& app) {
  const auto words = std::make_shared<HistoryWords>();
  CLI::App* history =
      app.add_subcommand("history", "The jobs the print server's journal holds, newest last");
  history->add_option("QUEUE", words->queues, "The queues (default: all)")->type_name("");
  history->add_option("--since", words->since, "Only jobs begun at this time or later (UTC)")
      ->type_name("TIME");
  AddJournalOption(*history, words->journal);
  AddJsonFlag(*history, words->json);
  history->footer(Footer({kHistoryHelp, help::kJournalNote}));
  return {history, [words](const Services& services) {
            ShowHistory(JournalPath(words->journal), words->queues,
                        words->since.empty() ? std::nullopt : std::optional(words->since),
                        services.print_server, services.Output(words->json));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
