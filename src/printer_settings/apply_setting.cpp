#include "printer_settings/apply_setting.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "foundation/blanks.h"
#include "foundation/ini_file.h"
#include "foundation/message_template.h"
#include "printer_settings/command_protocol.h"
#include "printer_settings/decimal_number.h"
#include "printer_settings/item_commands.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/supported_models.h"
#include "printer_settings/window_variant.h"
#include "spooler/printer_access.h"

namespace varnok {
namespace {

enum class CorrectionStatus { Found, Missing, NotWholeNumber };

// A model's correction for one setting, as the settings file holds it.
struct Correction {
  CorrectionStatus status = CorrectionStatus::Missing;
  std::int16_t value = 0;  // when Found
  std::string stored;      // the text in the file
};

// Reads the correction under the key in the model's section of the settings file. Found only
// for a whole number from -32768 to 32767 (optional sign, digits).
Correction ReadCorrection(const std::string& config_path, std::string_view model,
                          std::string_view key) {
  Correction correction;
  correction.stored = ReadIniString(config_path, model, key);
  if (correction.stored.empty()) return correction;

  std::string_view digits = correction.stored;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, correction.value);
  correction.status = error == std::errc{} && stop == end ? CorrectionStatus::Found
                                                          : CorrectionStatus::NotWholeNumber;
  return correction;
}

// Shows the core's own message about a refusal, and keeps its words with the outcome.
QueueOutcome Tell(UserMessages& messages, ApplyOutcome outcome, const Message& message) {
  messages.Show(message);
  return {outcome, std::nullopt, message.text};
}

// Composes one item's command text for one press of OK, telling the operator when it cannot.
class CommandComposer {
 public:
  CommandComposer(const WindowVariant& variant, const SettingInputs& inputs,
                  const std::string& model, const std::string& config_path, UserMessages& messages)
      : variant_(variant),
        inputs_(inputs),
        model_(model),
        config_path_(config_path),
        messages_(messages) {}

  // The command text, or nullopt with refusal() telling why not.
  std::optional<std::string> Compose(const ItemCommand& command, ParameterSource source) {
    switch (source) {
      case ParameterSource::None:
        return BuildSettingCommand(command.word);
      case ParameterSource::FieldText:
        return BuildSettingCommand(command.word, inputs_.value);
      case ParameterSource::TrimmedFieldText:
        return BuildSettingCommand(command.word, TrimBlanks(inputs_.value));
      case ParameterSource::AdjustedValue:
        return AdjustedValueCommand(command);
      case ParameterSource::MaximumPrintLength:
        return WithNumber(command.word, FormatMaximumPrintLength(inputs_.value));
      case ParameterSource::Network:
        return NetworkCommands();
      case ParameterSource::Choice:
        return ChoiceCommand(command);
    }
    return std::nullopt;
  }

  const QueueOutcome& refusal() const { return refusal_; }

 private:
  std::optional<std::string> AdjustedValueCommand(const ItemCommand& command) {
    const Correction correction = ReadCorrection(config_path_, model_, command.correction_key);
    if (correction.status == CorrectionStatus::Missing) {
      return Refuse(ApplyOutcome::CorrectionMissing, variant_.correction_missing,
                    command.correction_key, correction.stored);
    }
    if (correction.status == CorrectionStatus::NotWholeNumber) {
      return Refuse(ApplyOutcome::CorrectionNotWholeNumber, variant_.correction_not_whole_number,
                    command.correction_key, correction.stored);
    }
    return WithNumber(command.word, FormatAdjustedValue(inputs_.value, correction.value));
  }

  std::optional<std::string> WithNumber(std::string_view word,
                                        const std::optional<std::string>& number) {
    if (number) return BuildSettingCommand(word, *number);
    const bool empty = TrimBlanks(inputs_.value).empty();
    return Refuse(ApplyOutcome::ValueNotANumber,
                  empty ? variant_.value_empty : variant_.value_not_a_number, {}, inputs_.value);
  }

  std::optional<std::string> NetworkCommands() const {
    const std::span<const std::string, 13> fields(inputs_.network);
    return BuildNetworkCommands(fields.subspan<0, 4>(), fields.subspan<4, 4>(),
                                fields.subspan<8, 4>(), fields[12]);
  }

  std::optional<std::string> ChoiceCommand(const ItemCommand& command) {
    if (inputs_.option4_selected) return BuildSettingCommand(command.word);
    if (inputs_.option5_selected) return BuildSettingCommand(command.second_word);
    refusal_.outcome = ApplyOutcome::NoItem;
    return std::nullopt;
  }

  std::nullopt_t Refuse(ApplyOutcome outcome, std::string_view pattern, std::string_view key,
                        std::string_view value) {
    refusal_ = Tell(messages_, outcome,
                    {FillIn(pattern, {{"model", model_}, {"key", key}, {"value", value}}),
                     std::string(variant_.title), MessageIcon::Exclamation, MessageButtons::Ok});
    return std::nullopt;
  }

  const WindowVariant& variant_;
  const SettingInputs& inputs_;
  const std::string& model_;
  const std::string& config_path_;
  UserMessages& messages_;
  QueueOutcome refusal_;
};

}  // namespace

OkRules WindowRules(Language window) { return {window, VariantOf(window)}; }

QueueModel LearnQueueModel(const OkRules& rules, const std::string& queue, Spooler& spooler,
                           UserMessages& messages) {
  const WindowVariant& variant = rules.variant;
  QueueModel learnt;
  const SpoolerResult<QueueDriver> driver =
      GetQueueDriverName(spooler, messages, queue, variant.language);
  if (!driver) {
    learnt.refusal = {ApplyOutcome::NoDriverName, driver.failure(), {}};
    return learnt;
  }
  learnt.model = ModelName(driver->name, variant.drops_driver_language_mark);
  learnt.accepting_jobs = driver->accepting_jobs;
  return learnt;
}

ComposedSetting ComposeSetting(const OkRules& rules, const SettingInputs& inputs,
                               const std::string& model, const std::string& config_path,
                               UserMessages& messages) {
  const WindowVariant& variant = rules.variant;
  ComposedSetting composed;
  // A text that names no item is refused like a tested item: the window tests the model for
  // everything it does not know to be untested.
  const SettingItem* item = FindSettingItem(rules.window, inputs.item_text);
  const ItemCommand* command = item ? &CommandOfItem(item->id) : nullptr;
  const bool tested = variant.tests_model_for_every_item || !command || command->model_tested;
  if (tested && !IsSupportedModel(model)) {
    composed.refusal =
        Tell(messages, ApplyOutcome::ModelNotSupported,
             {FillIn(variant.not_supported, {{"model", model}}), std::string(variant.title),
              MessageIcon::Exclamation, MessageButtons::Ok});
    return composed;
  }
  if (!command) {
    composed.refusal.outcome = ApplyOutcome::NoItem;
    return composed;
  }
  CommandComposer composer(variant, inputs, model, config_path, messages);
  composed.text = composer.Compose(*command, command->ParameterIn(rules.window));
  if (!composed.text) composed.refusal = composer.refusal();
  composed.notice = command->notice;
  return composed;
}

PreparedSetting PrepareSetting(const OkRules& rules, const SettingInputs& inputs, Spooler& spooler,
                               UserMessages& messages, const std::string& config_path) {
  const WindowVariant& variant = rules.variant;
  PreparedSetting prepared;
  if (inputs.queue.empty()) {
    // Asking the operator to choose a queue would mislead when none could be listed.
    const bool unlisted = inputs.queue_list_failed;
    prepared.refusal =
        Tell(messages, ApplyOutcome::NoQueue,
             {std::string(unlisted ? variant.queue_list_failed : variant.missing_queue_text),
              std::string(variant.missing_queue_title),
              unlisted ? MessageIcon::Exclamation : MessageIcon::Question, MessageButtons::Ok});
    return prepared;
  }
  const QueueModel learnt = LearnQueueModel(rules, inputs.queue, spooler, messages);
  prepared.model = learnt.model;
  prepared.accepting_jobs = learnt.accepting_jobs;
  if (!learnt.model) {
    prepared.refusal = learnt.refusal;
    return prepared;
  }
  ComposedSetting composed = ComposeSetting(rules, inputs, *learnt.model, config_path, messages);
  prepared.text = std::move(composed.text);
  prepared.refusal = std::move(composed.refusal);
  prepared.notice = composed.notice;
  return prepared;
}

QueueOutcome SendPreparedSetting(const OkRules& rules, const std::string& queue,
                                 const std::string& text, Spooler& spooler,
                                 UserMessages& messages) {
  if (const SpoolerResult<void> sent =
          SendRawText(spooler, messages, queue, text, rules.variant.language);
      !sent) {
    return {ApplyOutcome::SendFailed, sent.failure(), {}};
  }
  switch (CheckQueueAfterSending(spooler, queue)) {
    case QueueCheck::Opened:
      break;
    case QueueCheck::NotOpened:
      return {ApplyOutcome::QueueGone, std::nullopt, {}};
    case QueueCheck::Unanswered:
      return {ApplyOutcome::CheckUnanswered, std::nullopt, {}};
  }
  return {};
}

ApplyOutcome ApplySetting(Language window, const SettingInputs& inputs, Spooler& spooler,
                          UserMessages& messages, const std::string& config_path) {
  const OkRules rules = WindowRules(window);
  const PreparedSetting prepared = PrepareSetting(rules, inputs, spooler, messages, config_path);
  if (!prepared.text) return prepared.refusal.outcome;
  const ApplyOutcome sent =
      SendPreparedSetting(rules, inputs.queue, *prepared.text, spooler, messages).outcome;
  if (sent != ApplyOutcome::Sent) return sent;
  const WindowVariant& variant = rules.variant;
  messages.Show({std::string(variant.NoticeText(prepared.notice)), std::string(variant.title),
                 MessageIcon::Exclamation, MessageButtons::Ok});
  return ApplyOutcome::Sent;
}

}  // namespace varnok
