#include "cli/setting_words.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/setting_range.h"
#include "cli/socket_address.h"
#include "config/decimal_number.h"
#include "config/key_filter.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {
namespace {

constexpr std::string_view kDefaultPort = "9100";

// Whether every character could be typed into a field with this filter.
bool AdmittedBy(KeyFilter filter, std::string_view text) {
  std::string typed;
  for (const char c : text) {
    if (FilterKey(filter, static_cast<unsigned char>(c), typed).key != c) return false;
    typed += c;
  }
  return true;
}

void ChooseOption(const ItemName& item, std::string_view value, const CliTexts& texts,
                  SettingInputs& inputs) {
  const auto is = [value](std::string_view choice) {
    return EqualIgnoringAsciiCase(value, choice);
  };
  if (!is(item.choices[0]) && !is(item.choices[1])) {
    throw UsageError(FillIn(texts.no_choice, {{"value", value},
                                              {"setting", item.name},
                                              {"first", item.choices[0]},
                                              {"second", item.choices[1]}}));
  }
  inputs.option4_selected = is(item.choices[0]);
  inputs.option5_selected = !inputs.option4_selected;
}

// The four octets of a dotted address, each as the window's octet field would hold it.
void ReadOctets(std::string_view option, const std::optional<std::string>& text,
                const CliTexts& texts, std::span<std::string, 4> fields) {
  if (!text) throw UsageError(FillIn(texts.network_needs, {{"option", option}}));
  std::string_view rest = *text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t dot = i + 1 < fields.size() ? rest.find('.') : rest.size();
    const std::string_view octet = rest.substr(0, dot);
    const bool digits = !octet.empty() && octet.size() <= 3 && AdmittedBy(KeyFilter::Port, octet);
    if (!digits || dot == std::string_view::npos ||
        IsGreaterThan(LeadingDecimalNumber(octet), 255)) {
      throw UsageError(FillIn(texts.bad_address, {{"option", option}, {"text", *text}}));
    }
    fields[i] = std::string(octet);
    rest.remove_prefix(std::min(rest.size(), dot + 1));
  }
}

std::string PortOf(const std::optional<std::string>& text, const CliTexts& texts) {
  const std::string_view port = text ? std::string_view(*text) : kDefaultPort;
  if (!IsPortNumber(port)) throw UsageError(FillIn(texts.bad_port, {{"port", port}}));
  return std::string(port);
}

}  // namespace

SettingWords ReadSettingWords(const std::vector<std::string>& words, const NetworkOptions& network,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  SettingWords setting;
  setting.item = &FindItem(words.front(), language);
  const ItemName& name = *setting.item;
  // The command line sends what the Chinese window sends, which lists every item.
  const auto catalogue = SettingCatalogue(Language::Chinese);
  const SettingItem& item = *std::ranges::find(catalogue, name.id, &SettingItem::id);
  SettingInputs& inputs = setting.inputs;
  inputs.item_text = std::string(item.text);

  const bool takes_value = item.input == InputPanel::Value || item.input == InputPanel::Choice;
  if (takes_value && words.size() < 2) {
    throw UsageError(FillIn(texts.needs_value, {{"setting", name.name}}));
  }
  if (item.input == InputPanel::Value) {
    CheckValue(name.id, name.name, words[1], language);
    inputs.value = words[1];
  }
  if (item.input == InputPanel::Choice) ChooseOption(name, words[1], texts, inputs);
  const bool network_given = network.address || network.mask || network.gateway || network.port;
  if (item.input == InputPanel::Network) {
    const std::span<std::string, 13> fields(inputs.network);
    ReadOctets("address", network.address, texts, fields.subspan<0, 4>());
    ReadOctets("mask", network.mask, texts, fields.subspan<4, 4>());
    ReadOctets("gateway", network.gateway, texts, fields.subspan<8, 4>());
    fields[12] = PortOf(network.port, texts);
  } else if (network_given) {
    throw UsageError(std::string(texts.network_options_only));
  }

  setting.queues.assign(words.begin() + (takes_value ? 2 : 1), words.end());
  if (setting.queues.empty()) {
    throw UsageError(FillIn(texts.no_queue_given, {{"setting", name.name}}));
  }
  return setting;
}

}  // namespace varnok::cli
