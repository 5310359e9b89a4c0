#include "cli/setting_words.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/setting_range.h"
#include "cli/socket_address.h"
#include "config/decimal_number.h"
#include "config/key_filter.h"
#include "config/setting_catalogue.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {
namespace {

// Whether every character could be typed into a field with this filter.
bool AdmittedBy(KeyFilter filter, std::string_view text) {
  std::string typed;
  for (const char c : text) {
    if (FilterKey(filter, static_cast<unsigned char>(c), typed).key != c) return false;
    typed += c;
  }
  return true;
}

void ChooseOption(const SettingName& item, std::string_view value, const CliTexts& texts,
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

}  // namespace

std::array<std::string, 4> AddressFields(std::string_view option, std::string_view text,
                                         Language language) {
  const CliTexts& texts = CliTextsIn(language);
  std::array<std::string, 4> fields;
  std::string_view rest = text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t dot = i + 1 < fields.size() ? rest.find('.') : rest.size();
    const std::string_view octet = rest.substr(0, dot);
    const bool digits = !octet.empty() && octet.size() <= 3 && AdmittedBy(KeyFilter::Port, octet);
    if (!digits || dot == std::string_view::npos ||
        IsGreaterThan(LeadingDecimalNumber(octet), 255)) {
      throw UsageError(FillIn(texts.bad_address, {{"option", option}, {"text", text}}));
    }
    fields[i] = std::string(octet);
    rest.remove_prefix(std::min(rest.size(), dot + 1));
  }
  return fields;
}

std::string PortField(std::string_view option, std::string_view port, Language language) {
  if (!IsPortNumber(port)) {
    throw UsageError(FillIn(CliTextsIn(language).bad_port, {{"option", option}, {"port", port}}));
  }
  return std::string(port);
}

ValueForm FormOf(const SettingName& item) {
  switch (CommandLineItem(item.id).input) {
    case InputPanel::Value:
    case InputPanel::Choice:
      return ValueForm::Word;
    case InputPanel::Network:
      return ValueForm::Network;
    case InputPanel::Placeholder:
      break;
  }
  return ValueForm::None;
}

const SettingItem& CommandLineItem(ItemId id) {
  // The command line sends what the Chinese window sends, which lists every item.
  return *std::ranges::find(SettingCatalogue(Language::Chinese), id, &SettingItem::id);
}

SettingInputs SettingInputsFor(const SettingName& name, std::string_view value, Language language) {
  const SettingItem& item = CommandLineItem(name.id);
  SettingInputs inputs;
  inputs.item_text = std::string(item.text);
  if (item.input == InputPanel::Value) {
    CheckValue(name.id, name.name, value, language);
    inputs.value = std::string(value);
  }
  if (item.input == InputPanel::Choice) ChooseOption(name, value, CliTextsIn(language), inputs);
  return inputs;
}

void PutNetworkFields(const NetworkFields& network, SettingInputs& inputs) {
  const auto put = [&inputs](std::size_t first, const std::array<std::string, 4>& octets) {
    std::ranges::copy(octets, inputs.network.begin() + static_cast<std::ptrdiff_t>(first));
  };
  put(0, network.address);
  put(4, network.mask);
  put(8, network.gateway);
  inputs.network[12] = network.port;
}

SettingWords ReadSettingWords(const std::vector<std::string>& words, const NetworkOptions& network,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  SettingWords setting;
  setting.item = &FindItem(words.front(), language);
  const SettingName& name = *setting.item;
  const ValueForm form = FormOf(name);
  if (form == ValueForm::Word && words.size() < 2) {
    throw UsageError(FillIn(texts.needs_value, {{"setting", name.name}}));
  }
  setting.inputs = SettingInputsFor(name, form == ValueForm::Word ? words[1] : "", language);
  const bool network_given = network.address || network.mask || network.gateway || network.port;
  if (form == ValueForm::Network) {
    const auto address = [&](std::string_view option, const std::optional<std::string>& text) {
      const std::string spelt = "--" + std::string(option);
      if (!text) throw UsageError(FillIn(texts.network_needs, {{"option", spelt}}));
      return AddressFields(spelt, *text, language);
    };
    PutNetworkFields(
        {address("address", network.address), address("mask", network.mask),
         address("gateway", network.gateway),
         PortField("--port", network.port.value_or(std::string(kDefaultPort)), language)},
        setting.inputs);
  } else if (network_given) {
    throw UsageError(std::string(texts.network_options_only));
  }

  setting.queues.assign(words.begin() + (form == ValueForm::Word ? 2 : 1), words.end());
  if (setting.queues.empty()) {
    throw UsageError(FillIn(texts.no_queue_given, {{"setting", name.name}}));
  }
  return setting;
}

}  // namespace varnok::cli
