// The octet filter's decision for any key and any text agrees with its rules, computed here
// independently: warn only above 255 (judged on the text before the key), never move on after
// a warning, "." and Enter move on otherwise, disallowed keys are discarded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "printer_settings/key_filter.h"

namespace {

bool Allowed(int key) { return (key >= '0' && key <= '9') || key == '.' || key == 8 || key == 13; }

// Whether the number the text begins with (after blanks) is above 255, without converting it
// to an integer: a whole part above 255, or 255 with a fraction that is not zero.
bool LeadingNumberAbove255(std::string_view text) {
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  size_t digits = 0;
  while (digits < text.size() && is_digit(text[digits])) ++digits;
  std::string_view whole = text.substr(0, digits);
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  if (whole.size() != 3) return whole.size() > 3;
  if (whole != "255") return whole > "255";
  if (digits == text.size() || text[digits] != '.') return false;
  for (size_t i = digits + 1; i < text.size() && is_digit(text[i]); ++i) {
    if (text[i] != '0') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int key = data[0] < 0x80 ? data[0] : 0x4E00 + data[0];  // some wide characters too
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const varnok::KeyDecision decision = varnok::FilterKey(varnok::KeyFilter::Octet, key, text);

  const int applied = Allowed(key) ? key : 0;
  if (LeadingNumberAbove255(text)) {
    if (!decision.warn_over_limit || decision.move_to_next || !decision.select_all_after ||
        decision.key != applied) {
      std::abort();
    }
    return 0;
  }
  const bool moves = applied == '.' || applied == 13;
  if (decision.warn_over_limit || decision.move_to_next != moves ||
      decision.select_all_after != moves || decision.key != (moves ? 13 : applied)) {
    std::abort();
  }
  return 0;
}
