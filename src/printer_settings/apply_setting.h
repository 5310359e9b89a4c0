#pragma once

#include <array>
#include <optional>
#include <string>

#include "foundation/language.h"
#include "printer_settings/item_commands.h"
#include "printer_settings/window_variant.h"
#include "spooler/message_boxes.h"
#include "spooler/spooler.h"

namespace varnok {

// What the configuration window holds when OK is pressed.
struct SettingInputs {
  std::string queue;      // MODEL's text
  std::string item_text;  // Combo1's text
  std::string value;      // Text1
  bool option4_selected = true;
  bool option5_selected = false;
  std::array<std::string, 13> network;  // Text2 to Text14
  // MODEL lists no queue because the print system could not be asked or did not answer.
  bool queue_list_failed = false;
};

// How a press of OK ended. Each has shown the operator one message, except NoItem, QueueGone
// and CheckUnanswered, which show nothing.
enum class ApplyOutcome {
  Sent,                      // sent, the notice shown
  NoQueue,                   // no queue chosen (or none listed: the print system did not answer)
  NoDriverName,              // the queue's driver name could not be learnt
  ModelNotSupported,         // refused for this model
  NoItem,                    // the item text matches no item (or no choice is selected)
  ValueNotANumber,           // Text1 is empty or not a number
  CorrectionMissing,         // no correction for the model and key in the settings file
  CorrectionNotWholeNumber,  // the stored correction is not a 16-bit whole number
  SendFailed,                // the spooler did not acknowledge the job (it has been said why)
  QueueGone,                 // sent, but the queue could not be opened again: no notice
  CheckUnanswered,  // sent, but the check after it got no answer: no notice, no advice to resend
};

// How one press of OK goes: the window whose item texts and parameter forms apply, and the
// variant whose rules and message texts are used (the window's own, or another's texts with
// stricter rules, as the command line uses them).
struct OkRules {
  Language window;
  WindowVariant variant;
};

// The rules of a window's own OK button.
OkRules WindowRules(Language window);

// Why a step of OK ended as it did for one queue, with what the command line needs to say why:
// the print system's answer when that stopped the setting, and the words of any message the
// core itself showed (the print system's messages come from printer access, with the answer).
struct QueueOutcome {
  ApplyOutcome outcome = ApplyOutcome::Sent;
  std::optional<SpoolerFailure> failure;
  std::string told;
};

// A queue's model, learnt from its driver name, or why it is not known.
struct QueueModel {
  std::optional<std::string> model;
  std::optional<bool> accepting_jobs;  // with the model, when the spooler tells
  QueueOutcome refusal;                // NoDriverName, when there is no model
};

// Asks the spooler for the queue's driver name and makes the model name of it.
QueueModel LearnQueueModel(const OkRules& rules, const std::string& queue, Spooler& spooler,
                           UserMessages& messages);

// One setting's command text for a queue of the given model, or why not.
struct ComposedSetting {
  std::optional<std::string> text;
  QueueOutcome refusal;                // why there is no text
  Notice notice = Notice::Completion;  // what follows a successful send
};

// Refuses what the model does not support and composes the item's command (with the model's
// correction from the settings file at config_path); inputs.queue is not used. Several settings
// composed for one queue may be sent as one text.
ComposedSetting ComposeSetting(const OkRules& rules, const SettingInputs& inputs,
                               const std::string& model, const std::string& config_path,
                               UserMessages& messages);

// A setting made ready for one queue, or why not.
struct PreparedSetting {
  std::optional<std::string> model;    // once the queue's driver name is known
  std::optional<bool> accepting_jobs;  // with it, when the spooler tells
  std::optional<std::string> text;     // the command text, when it can be sent
  QueueOutcome refusal;                // why not, when there is no text
  Notice notice = Notice::Completion;  // what follows a successful send
};

// Everything OK does before sending: refuses an empty queue name, learns the model of the queue
// and composes the setting for it. Each refusal has been told through messages.
PreparedSetting PrepareSetting(const OkRules& rules, const SettingInputs& inputs, Spooler& spooler,
                               UserMessages& messages, const std::string& config_path);

// Sends a command text (one setting's, or several composed for the queue) and checks the queue
// once more: Sent, SendFailed (with the print system's answer), QueueGone or CheckUnanswered.
// Shows no notice.
QueueOutcome SendPreparedSetting(const OkRules& rules, const std::string& queue,
                                 const std::string& text, Spooler& spooler, UserMessages& messages);

// The OK button of the configuration window of the given language: prepares the setting,
// sends it and tells the operator what to do next. Nothing is sent after any message but the
// final notice.
ApplyOutcome ApplySetting(Language window, const SettingInputs& inputs, Spooler& spooler,
                          UserMessages& messages, const std::string& config_path);

}  // namespace varnok
