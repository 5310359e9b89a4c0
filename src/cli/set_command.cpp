#include "cli/set_command.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "cli/json_output.h"
#include "cli/reason_recorder.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"

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

enum class State { Ready, Sent, NotSent };

struct QueueResult {
  std::string queue;
  std::optional<std::string> model;
  std::optional<std::string> command;
  State state = State::NotSent;
  std::string reason;
};

std::string GoneReason(Language language) {
  return language == Language::Chinese ? "已发送，但之后无法再次打开该打印机。"
                                       : "sent, but the queue could not be opened again after";
}

// The note on a queue that took the setting but did not answer the check after it.
std::string UncheckedNote(Language language) {
  return language == Language::Chinese ? "之后检查该打印机时打印系统没有响应"
                                       : "the print system did not answer the check afterwards";
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

std::string_view StateName(State state) {
  switch (state) {
    case State::Ready:
      return "would-send";
    case State::Sent:
      return "sent";
    case State::NotSent:
      break;
  }
  return "not-sent";
}

void PrintResults(const SettingWords& setting, const SetOptions& options,
                  const std::vector<QueueResult>& results, const std::string& notice,
                  const CommandOutput& output) {
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QueueResult& result : results) {
      list.push_back(
          {{"queue", result.queue},
           {"model", OrNull(result.model)},
           {"supported",
            result.model ? nlohmann::ordered_json(IsSupportedModel(*result.model)) : nullptr},
           {"command", OrNull(result.command)},
           {"command_bytes",
            result.command ? nlohmann::ordered_json(HexBytes(*result.command)) : nullptr},
           {"result", StateName(result.state)},
           {"reason", OrNull(result.reason)}});
    }
    return PrintJson(output.out, {{"setting", setting.item->name},
                                  {"dry_run", options.dry_run},
                                  {"results", list},
                                  {"notice", OrNull(notice)}});
  }
  Table table({"QUEUE", "MODEL", "COMMAND", "RESULT"});
  for (const QueueResult& result : results) {
    const std::string note = result.reason.empty() ? "" : "; " + result.reason;
    const std::string state = result.state == State::Ready  ? "would be sent"
                              : result.state == State::Sent ? "sent" + note
                                                            : "not sent: " + result.reason;
    table.Add({result.queue, result.model.value_or(""), result.command.value_or(""), state});
  }
  table.Print(output.out);
  if (!notice.empty()) output.err << notice << "\n";
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
  const OkRules rules = CommandLineRules(options.messages);
  std::vector<QueueResult> results(setting.queues.size());
  // Everything is found out before anything is sent. The queues are independent of each other,
  // so each step goes to several at once; each keeps its place in the output.
  ForEachConcurrently(results.size(), [&](size_t i) {
    ReasonRecorder reasons;
    SettingInputs inputs = setting.inputs;
    inputs.queue = setting.queues[i];
    PreparedSetting prepared = PrepareSetting(rules, inputs, spooler, reasons, options.config_path);
    results[i] = {inputs.queue, prepared.model, prepared.text,
                  prepared.text ? State::Ready : State::NotSent, reasons.Take()};
  });
  if (!options.dry_run) {
    ForEachConcurrently(results.size(), [&](size_t i) {
      QueueResult& result = results[i];
      if (result.state != State::Ready) return;
      ReasonRecorder reasons;
      const ApplyOutcome sent =
          SendPreparedSetting(rules, result.queue, *result.command, spooler, reasons);
      const bool delivered = sent == ApplyOutcome::Sent || sent == ApplyOutcome::CheckUnanswered;
      result.state = delivered ? State::Sent : State::NotSent;
      result.reason = reasons.Take();
      if (sent == ApplyOutcome::QueueGone && result.reason.empty()) {
        result.reason = GoneReason(options.messages);
      }
      if (sent == ApplyOutcome::CheckUnanswered) result.reason = UncheckedNote(options.messages);
    });
  }
  const bool any_sent =
      std::ranges::any_of(results, [](const QueueResult& r) { return r.state == State::Sent; });
  const std::string notice_text =
      any_sent ? std::string(rules.variant.NoticeText(CommandOfItem(setting.item->id).notice)) : "";
  PrintResults(setting, options, results, notice_text, output);
  const State wanted = options.dry_run ? State::Ready : State::Sent;
  const bool all =
      std::ranges::all_of(results, [wanted](const QueueResult& r) { return r.state == wanted; });
  return all ? ExitStatus::Ok : ExitStatus::Failed;
}

}  // namespace varnok::cli
