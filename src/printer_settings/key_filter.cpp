#include "printer_settings/key_filter.h"

#include <algorithm>

#include "printer_settings/decimal_number.h"

namespace varnok {
namespace {

// The octet filter warns about a field whose number is above this.
constexpr unsigned kOctetLimit = 255;

bool IsDigit(int key) { return key >= '0' && key <= '9'; }

// Compared as whole codes, so no code beyond ASCII can pass for an allowed character.
bool IsAllowed(KeyFilter filter, int key) {
  if (IsDigit(key) || key == kBackspaceKey || key == kEnterKey) return true;
  switch (filter) {
    case KeyFilter::Value:
      return key == '-' || key == '.';
    case KeyFilter::Octet:
      return key == '.';
    case KeyFilter::Port:
      return false;
  }
  return false;
}

KeyDecision DecideOctet(int key, std::string_view current_text) {
  // The text before this key decides, so an octet typed above 255 is caught one key later.
  if (IsGreaterThan(LeadingDecimalNumber(current_text), kOctetLimit)) {
    return {key, true, true, false};
  }
  if (key == '.') key = kEnterKey;
  if (key != kEnterKey) return {key, false, false, false};
  return {key, false, true, true};
}

}  // namespace

KeyDecision FilterKey(KeyFilter filter, int key, std::string_view current_text) {
  if (!IsAllowed(filter, key)) key = kDiscardKey;
  if (filter == KeyFilter::Octet) return DecideOctet(key, current_text);
  return {key, false, false, false};
}

Message OverLimitWarning() {
  return {"输入的数值必须小于255！请重新输入！", "错误", MessageIcon::Exclamation,
          MessageButtons::Ok};
}

std::optional<KeyFilter> FieldKeyFilter(Language window, int text_number) {
  if (text_number == 1) return KeyFilter::Value;
  if (window != Language::Chinese) return std::nullopt;
  if (text_number == kNetworkFieldChain.back()) return KeyFilter::Port;
  if (std::ranges::find(kNetworkFieldChain, text_number) != kNetworkFieldChain.end()) {
    return KeyFilter::Octet;
  }
  return std::nullopt;
}

std::optional<int> NetworkFieldSuccessor(int text_number) {
  const auto* field = std::ranges::find(kNetworkFieldChain, text_number);
  if (field == kNetworkFieldChain.end() || field + 1 == kNetworkFieldChain.end()) {
    return std::nullopt;
  }
  return *(field + 1);
}

}  // namespace varnok
