#include "fleet/settings_job.h"

#include "printer_settings/command_protocol.h"
#include "printer_settings/item_commands.h"
#include "printer_settings/setting_names.h"

namespace varnok {
namespace {

// A parameter as this program writes one: the value field's or a network field's characters,
// which never hold a control character; a field has no length limit, but no setting's value
// comes near this.
constexpr std::size_t kLongestParameter = 64;

bool IsParameterByte(char byte) { return static_cast<unsigned char>(byte) >= 0x20 && byte != 0x7f; }

// Reads one command that begins with `word` at the front of `rest`: the word, a parameter when
// `with_parameter`, and the word's terminator. Advances `rest` past it and gives the parameter.
std::optional<std::string_view> TakeCommand(std::string_view& rest, std::string_view word,
                                            bool with_parameter) {
  if (!rest.starts_with(word)) return std::nullopt;
  const std::string terminator = BuildSettingCommand(word).substr(word.size());
  std::size_t end = word.size();
  while (with_parameter && end < rest.size() && end - word.size() <= kLongestParameter &&
         IsParameterByte(rest[end])) {
    ++end;
  }
  if (end - word.size() > kLongestParameter) return std::nullopt;
  if (rest.substr(end, terminator.size()) != terminator) return std::nullopt;
  const std::string_view parameter = rest.substr(word.size(), end - word.size());
  rest.remove_prefix(end + terminator.size());
  return parameter;
}

// The network card's four commands, in their order, as one setting.
std::optional<std::string> TakeNetwork(std::string_view& rest) {
  std::string_view trial = rest;
  std::string value;
  for (const std::string_view word : kNetworkWords) {
    const std::optional<std::string_view> parameter = TakeCommand(trial, word, true);
    if (!parameter) return std::nullopt;
    if (!value.empty()) value += ' ';
    value += *parameter;
  }
  rest = trial;
  return value;
}

// The setting at the front of `rest`, taken from it.
std::optional<JobSetting> TakeSetting(std::string_view& rest) {
  const std::string_view before = rest;
  for (const SettingName& name : SettingNames()) {
    const ItemCommand& item = CommandOfItem(name.id);
    std::optional<std::string> value;
    switch (item.ParameterIn(Language::Chinese)) {
      case ParameterSource::Network:
        value = TakeNetwork(rest);
        break;
      case ParameterSource::Choice:
        if (TakeCommand(rest, item.word, false)) {
          value = std::string(name.choices[0]);
        } else if (TakeCommand(rest, item.second_word, false)) {
          value = std::string(name.choices[1]);
        }
        break;
      case ParameterSource::None:
        if (TakeCommand(rest, item.word, false)) value = std::string();
        break;
      default:
        if (const auto parameter = TakeCommand(rest, item.word, true))
          value = std::string(*parameter);
        break;
    }
    if (value) {
      return JobSetting{std::string(name.name), std::move(*value),
                        std::string(before.substr(0, before.size() - rest.size()))};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<JobSetting>> ReadSettingsJob(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > kLargestSettingsJob) return std::nullopt;
  std::vector<JobSetting> settings;
  while (!bytes.empty()) {
    std::optional<JobSetting> setting = TakeSetting(bytes);
    if (!setting) return std::nullopt;
    settings.push_back(std::move(*setting));
  }
  return settings;
}

}  // namespace varnok
