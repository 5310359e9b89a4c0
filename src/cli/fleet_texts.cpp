#include "cli/fleet_texts.h"

#include "cli/cli_texts.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/setting_range.h"
#include "foundation/message_template.h"
#include "printer_settings/item_commands.h"

namespace varnok::cli {

std::string ValueProblemText(const SettingValueFault& fault, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const std::string_view setting = fault.item != nullptr ? fault.item->name : "";
  const auto range = [&] { return RangeText(*CommandOfItem(fault.item->id).values, language); };
  switch (fault.problem) {
    case ValueProblem::NoSuchSetting: {
      std::string names;
      for (const SettingName& item : SettingNames()) texts.AddToList(names, item.name);
      return FillIn(texts.no_setting, {{"typed", fault.given}, {"names", names}});
    }
    case ValueProblem::NotWholeNumber:
      return FillIn(texts.not_whole_number,
                    {{"value", fault.given}, {"setting", setting}, {"range", range()}});
    case ValueProblem::OutOfRange:
      return FillIn(texts.out_of_range,
                    {{"value", fault.given}, {"setting", setting}, {"range", range()}});
    case ValueProblem::NoChoice:
      return FillIn(texts.no_choice, {{"value", fault.given},
                                      {"setting", setting},
                                      {"first", fault.item->choices[0]},
                                      {"second", fault.item->choices[1]}});
    case ValueProblem::BadAddress:
      return FillIn(texts.bad_address, {{"option", fault.option}, {"text", fault.given}});
    case ValueProblem::BadPort:
      break;
  }
  return FillIn(texts.bad_port, {{"option", fault.option}, {"port", fault.given}});
}

namespace {

// What is wrong at the profile's line.
std::string ProfileLineText(const ProfileFault& fault, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const std::string first = std::to_string(fault.first_line);
  switch (fault.problem) {
    case ProfileProblem::NotUtf8:
      return std::string(texts.profile_not_utf8);
    case ProfileProblem::NotAnEntry:
      return FillIn(texts.profile_not_an_entry, {{"text", fault.word}});
    case ProfileProblem::UnknownSection:
      return FillIn(texts.profile_unknown_section, {{"section", fault.word}});
    case ProfileProblem::SectionTwice:
      return FillIn(texts.profile_section_twice, {{"section", fault.word}, {"first", first}});
    case ProfileProblem::OutsideSection:
      return FillIn(texts.profile_outside_section, {{"name", fault.word}});
    case ProfileProblem::GivenTwice:
      return FillIn(texts.profile_given_twice, {{"setting", fault.word}, {"first", first}});
    case ProfileProblem::Reset:
      return FillIn(texts.profile_reset, {{"setting", fault.word}});
    case ProfileProblem::NetworkInSettings:
      return std::string(texts.profile_network_in_settings);
    case ProfileProblem::NoNetworkKey:
      return FillIn(texts.profile_no_network_key, {{"name", fault.word}});
    case ProfileProblem::NetworkForMany:
      return FillIn(texts.profile_network_for_many, {{"count", std::to_string(fault.queue_count)}});
    case ProfileProblem::NetworkNeeds:
      return FillIn(texts.network_needs, {{"option", fault.word}});
    case ProfileProblem::BadValue:
    case ProfileProblem::Missing:
    case ProfileProblem::Unreadable:
    case ProfileProblem::Empty:
      break;
  }
  return fault.value ? ValueProblemText(*fault.value, language) : std::string();
}

}  // namespace

std::string ProfileProblemText(const ProfileFault& fault, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  switch (fault.problem) {
    case ProfileProblem::Missing:
      return FillIn(texts.profile_unreadable,
                    {{"file", fault.file}, {"reason", texts.no_such_file}});
    case ProfileProblem::Unreadable:
      return FillIn(texts.profile_unreadable,
                    {{"file", fault.file}, {"reason", texts.profile_not_readable}});
    case ProfileProblem::Empty:
      return FillIn(texts.profile_empty, {{"file", fault.file}});
    default:
      break;
  }
  return FillIn(texts.profile_line_pattern, {{"file", fault.file},
                                             {"line", std::to_string(fault.line)},
                                             {"message", ProfileLineText(fault, language)}});
}

std::string ReportProblemText(const ReportFault& fault, std::string_view server,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  switch (fault.problem) {
    case ReportProblem::QueuesUnlisted:
      return ServerProblem(texts, texts.queue_check_action, fault.failure, server);
    case ReportProblem::UnfinishedJobs:
      return ServerProblem(texts, texts.jobs_action, fault.failure, server);
    case ReportProblem::UnknownQueues:
      break;
  }
  return UnknownQueues(fault.unknown, server, language).what();
}

std::string DeliveryReason(const QueueDelivery& line, std::string_view server, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  if (line.not_accepting) return std::string(texts.not_accepting);
  const QueueOutcome& outcome = line.outcome;
  // A failure of the print system, a model not supported and the check after sending are said
  // in the command line's words, as the windows' texts are not for it; otherwise what the cores
  // told (a missing correction names the settings file, the model and the key).
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

}  // namespace varnok::cli
