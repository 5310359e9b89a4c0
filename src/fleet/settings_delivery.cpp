#include "fleet/settings_delivery.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"

namespace varnok {
namespace {

OkRules DeliveryRules(Language messages) {
  OkRules rules{Language::Chinese, VariantOf(messages)};
  rules.variant.drops_driver_language_mark = true;
  rules.variant.tests_model_for_every_item = true;
  rules.variant.cut_count_notice = rules.variant.completion_notice;
  return rules;
}

// How many queues are spoken to at once. The scheduler does most of the work of a send (it
// starts the job and its backend), so a few at once keep it busy; more only wait for it.
constexpr size_t kMostThreads = 8;

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

// Everything OK does before sending: the queue's model is learnt once, then each setting is
// composed for it in turn; the queue's line says what was found, and why it will not be sent
// when one setting cannot be.
void Prepare(const OkRules& rules, std::span<const SettingInputs> settings,
             const DeliveryOptions& options, Spooler& spooler, QueueDelivery& line) {
  NoMessageBoxes messages;
  const QueueModel learnt = LearnQueueModel(rules, line.queue, spooler, messages);
  line.model = learnt.model;
  const auto refuse = [&](const QueueOutcome& refusal) {
    line.commands.clear();
    line.result = QueueResult::NotSent;
    line.outcome = refusal;
  };
  if (!learnt.model) return refuse(learnt.refusal);
  for (const SettingInputs& setting : settings) {
    ComposedSetting composed =
        ComposeSetting(rules, setting, *learnt.model, options.config_path, messages);
    if (!composed.text) return refuse(composed.refusal);
    line.commands.push_back(std::move(*composed.text));
  }
  line.result = QueueResult::WouldBeSent;
  if (options.dry_run && learnt.accepting_jobs == false) {
    // The print system would refuse the job (the real run learns it from the refusal).
    line.result = QueueResult::WouldNotBeSent;
    line.not_accepting = true;
  }
}

void Send(const OkRules& rules, Spooler& spooler, QueueDelivery& line) {
  NoMessageBoxes messages;
  std::string text;
  for (const std::string& command : line.commands) text += command;
  const QueueOutcome sent = SendPreparedSetting(rules, line.queue, text, spooler, messages);
  // A setting the print system acknowledged was delivered, whatever the check after it found;
  // sending it again would apply it twice.
  line.result = sent.outcome == ApplyOutcome::SendFailed ? QueueResult::NotSent : QueueResult::Sent;
  if (line.result == QueueResult::Sent) line.sent_at = std::chrono::system_clock::now();
  line.outcome = sent;
}

// What follows a successful send, once for each kind of notice the settings have.
std::string NoticeOf(const OkRules& rules, std::span<const SettingInputs> settings) {
  std::vector<Notice> notices;
  for (const SettingInputs& setting : settings) {
    const SettingItem* item = FindSettingItem(rules.window, setting.item_text);
    const Notice notice = item ? CommandOfItem(item->id).notice : Notice::Completion;
    if (std::ranges::find(notices, notice) == notices.end()) notices.push_back(notice);
  }
  std::string text;
  for (const Notice notice : notices) {
    text += (text.empty() ? "" : " ") + std::string(rules.variant.NoticeText(notice));
  }
  return text;
}

}  // namespace

Delivery DeliverSettings(std::span<const SettingInputs> settings,
                         const std::vector<std::string>& queues, const DeliveryOptions& options,
                         Spooler& spooler, Language language) {
  const OkRules rules = DeliveryRules(language);
  Delivery delivery;
  delivery.queues.resize(queues.size());
  // Everything is found out before anything is sent. The queues are independent of each other,
  // so each step goes to several at once; each keeps its place in the output.
  ForEachConcurrently(queues.size(), [&](size_t i) {
    QueueDelivery& line = delivery.queues[i];
    line.queue = queues[i];
    Prepare(rules, settings, options, spooler, line);
  });
  if (!options.dry_run) {
    ForEachConcurrently(queues.size(), [&](size_t i) {
      QueueDelivery& line = delivery.queues[i];
      if (line.result == QueueResult::WouldBeSent) Send(rules, spooler, line);
    });
  }
  const bool any_sent = std::ranges::any_of(
      delivery.queues, [](const QueueDelivery& line) { return line.result == QueueResult::Sent; });
  if (any_sent) delivery.notice = NoticeOf(rules, settings);
  return delivery;
}

bool AllDelivered(const Delivery& delivery, const DeliveryOptions& options) {
  const QueueResult wanted = options.dry_run ? QueueResult::WouldBeSent : QueueResult::Sent;
  return std::ranges::all_of(delivery.queues,
                             [wanted](const QueueDelivery& line) { return line.result == wanted; });
}

}  // namespace varnok
