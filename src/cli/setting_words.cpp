#include "cli/setting_words.h"

#include <algorithm>
#include <charconv>

#include "cli/command_error.h"
#include "config/decimal_number.h"
#include "config/key_filter.h"
#include "settings/ascii_case.h"

namespace varnok::cli {
namespace {

constexpr std::string_view kDefaultPort = "9100";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Whether every character could be typed into a field with this filter.
bool AdmittedBy(KeyFilter filter, std::string_view text) {
  std::string typed;
  for (const char c : text) {
    if (FilterKey(filter, static_cast<unsigned char>(c), typed).key != c) return false;
    typed += c;
  }
  return true;
}

std::string ValueOf(const ItemName& item, std::string_view value) {
  if (value.empty() || !AdmittedBy(KeyFilter::Value, value) || !ReadDecimalNumber(value)) {
    throw UsageError(Quoted(value) + " is not a number for " + std::string(item.name) +
                     "; give digits, with \"-\" before and one \".\" where needed, e.g. 12 or -5");
  }
  return std::string(value);
}

void ChooseOption(const ItemName& item, std::string_view value, SettingInputs& inputs) {
  const auto is = [value](std::string_view choice) {
    return EqualIgnoringAsciiCase(value, choice);
  };
  if (!is(item.choices[0]) && !is(item.choices[1])) {
    throw UsageError(Quoted(value) + " is no choice of " + std::string(item.name) + "; give " +
                     std::string(item.choices[0]) + " or " + std::string(item.choices[1]));
  }
  inputs.option4_selected = is(item.choices[0]);
  inputs.option5_selected = !inputs.option4_selected;
}

// The four octets of a dotted address, each as the window's octet field would hold it.
void ReadOctets(std::string_view option, const std::optional<std::string>& text,
                std::span<std::string, 4> fields) {
  if (!text) throw UsageError("network needs --" + std::string(option) + " A.B.C.D");
  std::string_view rest = *text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t dot = i + 1 < fields.size() ? rest.find('.') : rest.size();
    const std::string_view octet = rest.substr(0, dot);
    const bool digits = !octet.empty() && octet.size() <= 3 && AdmittedBy(KeyFilter::Port, octet);
    if (!digits || dot == std::string_view::npos ||
        IsGreaterThan(LeadingDecimalNumber(octet), 255)) {
      throw UsageError("--" + std::string(option) + " " + Quoted(*text) +
                       " is not an address of four numbers from 0 to 255, e.g. 192.168.1.168");
    }
    fields[i] = std::string(octet);
    rest.remove_prefix(std::min(rest.size(), dot + 1));
  }
}

std::string PortOf(const std::optional<std::string>& text) {
  const std::string_view port = text ? std::string_view(*text) : kDefaultPort;
  int number = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (!AdmittedBy(KeyFilter::Port, port) || port.empty() || error != std::errc{} ||
      end != port.data() + port.size() || number < 1 || number > 65535) {
    throw UsageError("--port " + Quoted(port) + " is not a port number from 1 to 65535");
  }
  return std::string(port);
}

}  // namespace

SettingWords ReadSettingWords(const std::vector<std::string>& words,
                              const NetworkOptions& network) {
  if (words.empty()) throw UsageError("set needs a setting and at least one queue");
  SettingWords setting;
  setting.item = &FindItem(words.front());
  const ItemName& name = *setting.item;
  // The command line sends what the Chinese window sends, which lists every item.
  const auto catalogue = SettingCatalogue(Language::Chinese);
  const SettingItem& item = *std::ranges::find(catalogue, name.id, &SettingItem::id);
  SettingInputs& inputs = setting.inputs;
  inputs.item_text = std::string(item.text);

  const bool takes_value = item.input == InputPanel::Value || item.input == InputPanel::Choice;
  if (takes_value && words.size() < 2) {
    throw UsageError(std::string(name.name) + " needs a value before the queues");
  }
  if (item.input == InputPanel::Value) inputs.value = ValueOf(name, words[1]);
  if (item.input == InputPanel::Choice) ChooseOption(name, words[1], inputs);
  const bool network_given = network.address || network.mask || network.gateway || network.port;
  if (item.input == InputPanel::Network) {
    const std::span<std::string, 13> fields(inputs.network);
    ReadOctets("address", network.address, fields.subspan<0, 4>());
    ReadOctets("mask", network.mask, fields.subspan<4, 4>());
    ReadOctets("gateway", network.gateway, fields.subspan<8, 4>());
    fields[12] = PortOf(network.port);
  } else if (network_given) {
    throw UsageError("--address, --mask, --gateway and --port go with the setting network only");
  }

  for (auto word = words.begin() + (takes_value ? 2 : 1); word != words.end(); ++word) {
    if (std::ranges::find(setting.queues, *word) == setting.queues.end()) {
      setting.queues.push_back(*word);
    }
  }
  if (setting.queues.empty()) {
    throw UsageError("no queue given for " + std::string(name.name) +
                     "; name one or more ('varnok-printer list' shows them)");
  }
  return setting;
}

}  // namespace varnok::cli
