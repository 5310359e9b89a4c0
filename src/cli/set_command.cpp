#include "cli/set_command.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "cli/json_output.h"
#include "cli/queue_result.h"
#include "cli/server_problem.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"
#include "settings/message_template.h"

namespace varnok::cli {
namespace {

OkRules CommandLineRules(Language messages) {
  OkRules rules{Language::Chinese, VariantOf(messages)};
  rules.variant.drops_driver_language_mark = true;
  rules.variant.tests_model_for_every_item = true;
  rules.variant.cut_count_notice = rules.variant.completion_notice;
  return rules;
}

// How many queues are spoken to at once. The scheduler does most of the work of a send (it
// starts the job and its backend), so a few at once keep it busy; more only wait for it.
constexpr size_t kMostThreads = 8;

struct QueueLine {
  std::string queue;
  std::optional<std::string> model;
  std::optional<std::string> command;
  QueueResult result = QueueResult::NotSent;
  std::string reason;
};

// Why the cores stopped at a queue, in the command line's words where the windows' texts are
// not for it (a failure of the print system, a model not supported, the check after sending);
// otherwise what the cores told (a missing correction names the settings file, the model and the
// key).
std::string ReasonText(const QueueOutcome& outcome, const QueueLine& line, const CliTexts& texts,
                       std::string_view server) {
  if (outcome.failure) {
    const bool describing = outcome.outcome == ApplyOutcome::NoDriverName;
    return QueueProblem(texts, describing ? texts.describe_action : texts.send_action, line.queue,
                        *outcome.failure, server);
  }
  switch (outcome.outcome) {
    case ApplyOutcome::ModelNotSupported:
      return FillIn(texts.not_supported, {{"model", line.model.value_or("")}});
    case ApplyOutcome::QueueGone:
      return std::string(texts.gone_after);
    case ApplyOutcome::CheckUnanswered:
      return std::string(texts.check_unanswered);
    default:
      break;
  }
  return outcome.told;
}

std::string HexBytes(std::string_view bytes) {
  std::string hex;
  for (const char c : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
    hex += (hex.empty() ? "" : " ") + std::string(pair);
  }
  return hex;
}

void PrintResults(const SettingWords& setting, const SetOptions& options,
                  const std::vector<QueueLine>& lines, const std::string& notice,
                  const CommandOutput& output) {
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QueueLine& line : lines) {
      list.push_back(
          {{"queue", line.queue},
           {"model", OrNull(line.model)},
           {"supported",
            line.model ? nlohmann::ordered_json(IsSupportedModel(*line.model)) : nullptr},
           {"command", OrNull(line.command)},
           {"command_bytes",
            line.command ? nlohmann::ordered_json(HexBytes(*line.command)) : nullptr},
           {"result", ResultKeyword(line.result)},
           {"reason", OrNull(line.reason)}});
    }
    return PrintJson(output.out, {{"setting", setting.item->name},
                                  {"dry_run", options.dry_run},
                                  {"results", list},
                                  {"notice", OrNull(notice)}});
  }
  const CliTexts& texts = output.texts();
  Table table(
      {texts.queue_heading, texts.model_heading, texts.command_heading, texts.result_heading});
  for (const QueueLine& line : lines) {
    table.Add({line.queue, line.model.value_or(""), line.command.value_or(""),
               ResultText(line.result, line.reason, output.language)});
  }
  table.Print(output.out);
  if (!notice.empty()) SayLine(output.err, notice);
}

// Runs work(i) for each i below count, on a few threads at once; returns when all are done.
void ForEachConcurrently(size_t count, const std::function<void(size_t)>& work) {
  std::atomic<size_t> next{0};
  const auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) work(i);
  };
  std::vector<std::jthread> helpers;
  for (size_t t = 1; t < std::min(count, kMostThreads); ++t) helpers.emplace_back(worker);
  worker();
}

}  // namespace

ExitStatus SetSetting(const SettingWords& setting, const SetOptions& options, Spooler& spooler,
                      const CommandOutput& output) {
  const OkRules rules = CommandLineRules(output.language);
  std::vector<QueueLine> lines(setting.queues.size());
  // Everything is found out before anything is sent. The queues are independent of each other,
  // so each step goes to several at once; each keeps its place in the output.
  ForEachConcurrently(lines.size(), [&](size_t i) {
    NoMessageBoxes messages;
    SettingInputs inputs = setting.inputs;
    inputs.queue = setting.queues[i];
    const PreparedSetting prepared =
        PrepareSetting(rules, inputs, spooler, messages, options.config_path);
    QueueLine& line = lines[i];
    line = {inputs.queue, prepared.model, prepared.text, QueueResult::WouldBeSent, {}};
    if (!prepared.text) {
      line.result = QueueResult::NotSent;
      line.reason = ReasonText(prepared.refusal, line, output.texts(), options.server);
    } else if (options.dry_run && prepared.accepting_jobs == false) {
      // The print system would refuse the job (the real run learns it from the refusal).
      line.result = QueueResult::WouldNotBeSent;
      line.reason = output.texts().not_accepting;
    }
  });
  if (!options.dry_run) {
    ForEachConcurrently(lines.size(), [&](size_t i) {
      QueueLine& line = lines[i];
      if (line.result != QueueResult::WouldBeSent) return;
      NoMessageBoxes messages;
      const QueueOutcome sent =
          SendPreparedSetting(rules, line.queue, *line.command, spooler, messages);
      // A setting the print system acknowledged was delivered, whatever the check after it
      // found; sending it again would apply it twice.
      line.result =
          sent.outcome == ApplyOutcome::SendFailed ? QueueResult::NotSent : QueueResult::Sent;
      line.reason = ReasonText(sent, line, output.texts(), options.server);
    });
  }
  const bool any_sent = std::ranges::any_of(
      lines, [](const QueueLine& line) { return line.result == QueueResult::Sent; });
  const std::string notice_text =
      any_sent ? std::string(rules.variant.NoticeText(CommandOfItem(setting.item->id).notice)) : "";
  PrintResults(setting, options, lines, notice_text, output);
  const QueueResult wanted = options.dry_run ? QueueResult::WouldBeSent : QueueResult::Sent;
  const bool all =
      std::ranges::all_of(lines, [wanted](const QueueLine& line) { return line.result == wanted; });
  return all ? ExitStatus::Ok : ExitStatus::Failed;
}

}  // namespace varnok::cli
