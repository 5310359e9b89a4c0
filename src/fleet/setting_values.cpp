#include "fleet/setting_values.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "foundation/ascii_case.h"
#include "printer_settings/decimal_number.h"
#include "printer_settings/item_commands.h"
#include "printer_settings/key_filter.h"

namespace varnok {
namespace {

[[noreturn]] void Refuse(ValueProblem problem, std::string_view given,
                         const SettingName* item = nullptr, std::string_view option = {}) {
  throw SettingValueError({problem, std::string(given), std::string(option), item});
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as a whole number: an optional "-", then digits and nothing else. A number too
// large for the type comes back as the largest (or smallest) one, which no range reaches.
std::optional<long long> WholeNumber(std::string_view text) {
  const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
  if (digits.empty() || !std::ranges::all_of(digits, IsDigit)) return std::nullopt;
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc::result_out_of_range) {
    return text.starts_with('-') ? std::numeric_limits<long long>::min()
                                 : std::numeric_limits<long long>::max();
  }
  return number;
}

// Whether every character could be typed into a field with this filter.
bool AdmittedBy(KeyFilter filter, std::string_view text) {
  std::string typed;
  for (const char c : text) {
    if (FilterKey(filter, static_cast<unsigned char>(c), typed).key != c) return false;
    typed += c;
  }
  return true;
}

void ChooseOption(const SettingName& item, std::string_view value, SettingInputs& inputs) {
  const auto is = [value](std::string_view choice) {
    return EqualIgnoringAsciiCase(value, choice);
  };
  if (!is(item.choices[0]) && !is(item.choices[1])) Refuse(ValueProblem::NoChoice, value, &item);
  inputs.option4_selected = is(item.choices[0]);
  inputs.option5_selected = !inputs.option4_selected;
}

}  // namespace

const SettingName& FindItem(std::string_view typed) {
  const auto by_name = std::ranges::find_if(SettingNames(), [typed](const SettingName& item) {
    return EqualIgnoringAsciiCase(item.name, typed);
  });
  if (by_name != SettingNames().end()) return *by_name;
  for (const Language window : {Language::Chinese, Language::English}) {
    if (const SettingItem* item = FindSettingItem(window, typed)) {
      return NameOfItem(item->id);
    }
  }
  Refuse(ValueProblem::NoSuchSetting, typed);
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
  return *std::ranges::find(SettingCatalogue(Language::Chinese), id, &SettingItem::id);
}

void CheckValue(const SettingName& item, std::string_view value) {
  const ValueRange range = *CommandOfItem(item.id).values;
  const std::optional<long long> number = WholeNumber(value);
  if (!number) Refuse(ValueProblem::NotWholeNumber, value, &item);
  if (*number < range.min || *number > range.max) Refuse(ValueProblem::OutOfRange, value, &item);
}

SettingInputs SettingInputsFor(const SettingName& name, std::string_view value) {
  const SettingItem& item = CommandLineItem(name.id);
  SettingInputs inputs;
  inputs.item_text = std::string(item.text);
  if (item.input == InputPanel::Value) {
    CheckValue(name, value);
    inputs.value = std::string(value);
  }
  if (item.input == InputPanel::Choice) ChooseOption(name, value, inputs);
  return inputs;
}

std::array<std::string, 4> AddressFields(std::string_view option, std::string_view text) {
  std::array<std::string, 4> fields;
  std::string_view rest = text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t dot = i + 1 < fields.size() ? rest.find('.') : rest.size();
    const std::string_view octet = rest.substr(0, dot);
    const bool digits = !octet.empty() && octet.size() <= 3 && AdmittedBy(KeyFilter::Port, octet);
    if (!digits || dot == std::string_view::npos ||
        IsGreaterThan(LeadingDecimalNumber(octet), 255)) {
      Refuse(ValueProblem::BadAddress, text, nullptr, option);
    }
    fields[i] = std::string(octet);
    rest.remove_prefix(std::min(rest.size(), dot + 1));
  }
  return fields;
}

std::string PortField(std::string_view option, std::string_view port) {
  if (!IsPortNumber(port)) Refuse(ValueProblem::BadPort, port, nullptr, option);
  return std::string(port);
}

bool IsPortNumber(std::string_view text) {
  int number = 0;
  const auto error = std::from_chars(text.data(), text.data() + text.size(), number).ec;
  return !text.empty() && std::ranges::all_of(text, IsDigit) && error == std::errc{} &&
         number >= 1 && number <= 65535;
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

}  // namespace varnok
