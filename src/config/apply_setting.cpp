#include "config/apply_setting.h"

#include <optional>
#include <span>

#include "config/command_protocol.h"
#include "config/correction.h"
#include "config/decimal_number.h"
#include "config/item_commands.h"
#include "config/setting_item.h"
#include "config/supported_models.h"
#include "config/window_variant.h"
#include "printer/printer_access.h"
#include "settings/blanks.h"
#include "settings/message_template.h"

namespace varnok {
namespace {

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

  // The command text, or nullopt with outcome() telling why not.
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

  ApplyOutcome outcome() const { return outcome_; }

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
    outcome_ = ApplyOutcome::NoItem;
    return std::nullopt;
  }

  std::nullopt_t Refuse(ApplyOutcome outcome, std::string_view pattern, std::string_view key,
                        std::string_view value) {
    outcome_ = outcome;
    messages_.Show({FillIn(pattern, {{"model", model_}, {"key", key}, {"value", value}}),
                    std::string(variant_.title), MessageIcon::Exclamation, MessageButtons::Ok});
    return std::nullopt;
  }

  const WindowVariant& variant_;
  const SettingInputs& inputs_;
  const std::string& model_;
  const std::string& config_path_;
  UserMessages& messages_;
  ApplyOutcome outcome_ = ApplyOutcome::Sent;
};

}  // namespace

OkRules WindowRules(Language window) { return {window, VariantOf(window)}; }

PreparedSetting PrepareSetting(const OkRules& rules, const SettingInputs& inputs, Spooler& spooler,
                               UserMessages& messages, const std::string& config_path) {
  const WindowVariant& variant = rules.variant;
  PreparedSetting prepared;
  const auto refuse = [&prepared](ApplyOutcome why) {
    prepared.refusal = why;
    return prepared;
  };
  if (inputs.queue.empty()) {
    messages.Show({std::string(variant.missing_queue_text),
                   std::string(variant.missing_queue_title), MessageIcon::Question,
                   MessageButtons::Ok});
    return refuse(ApplyOutcome::NoQueue);
  }

  const std::optional<std::string> driver_name = GetQueueDriverName(
      spooler, messages, inputs.queue, variant.language, &prepared.accepting_jobs);
  if (!driver_name) return refuse(ApplyOutcome::NoDriverName);
  prepared.model = ModelName(*driver_name, variant.drops_driver_language_mark);
  const std::string& model = *prepared.model;

  // A text that names no item is refused like a tested item: the window tests the model for
  // everything it does not know to be untested.
  const SettingItem* item = FindSettingItem(rules.window, inputs.item_text);
  const ItemCommand* command = item ? &CommandOfItem(item->id) : nullptr;
  const bool tested = variant.tests_model_for_every_item || !command || command->model_tested;
  if (tested && !IsSupportedModel(model)) {
    messages.Show({FillIn(variant.not_supported, {{"model", model}}), std::string(variant.title),
                   MessageIcon::Exclamation, MessageButtons::Ok});
    return refuse(ApplyOutcome::ModelNotSupported);
  }
  if (!command) return refuse(ApplyOutcome::NoItem);

  CommandComposer composer(variant, inputs, model, config_path, messages);
  prepared.text = composer.Compose(*command, command->ParameterIn(rules.window));
  if (!prepared.text) return refuse(composer.outcome());
  prepared.notice = command->notice;
  return prepared;
}

ApplyOutcome SendPreparedSetting(const OkRules& rules, const std::string& queue,
                                 const std::string& text, Spooler& spooler,
                                 UserMessages& messages) {
  const Language language = rules.variant.language;
  if (SendRawText(spooler, messages, queue, text, language) != SendOutcome::Sent) {
    return ApplyOutcome::SendFailed;
  }
  switch (CheckQueueAfterSending(spooler, queue)) {
    case QueueCheck::Opened:
      break;
    case QueueCheck::NotOpened:
      return ApplyOutcome::QueueGone;
    case QueueCheck::Unanswered:
      return ApplyOutcome::CheckUnanswered;
  }
  return ApplyOutcome::Sent;
}

ApplyOutcome ApplySetting(Language window, const SettingInputs& inputs, Spooler& spooler,
                          UserMessages& messages, const std::string& config_path) {
  const OkRules rules = WindowRules(window);
  const PreparedSetting prepared = PrepareSetting(rules, inputs, spooler, messages, config_path);
  if (!prepared.text) return prepared.refusal;
  const ApplyOutcome sent =
      SendPreparedSetting(rules, inputs.queue, *prepared.text, spooler, messages);
  if (sent != ApplyOutcome::Sent) return sent;
  const WindowVariant& variant = rules.variant;
  messages.Show({std::string(variant.NoticeText(prepared.notice)), std::string(variant.title),
                 MessageIcon::Exclamation, MessageButtons::Ok});
  return ApplyOutcome::Sent;
}

}  // namespace varnok
