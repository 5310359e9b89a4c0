// The adjusted value equals an exact reference: floor of the typed number plus the correction,
// computed here independently with schoolbook arithmetic.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "printer_settings/command_protocol.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct Signed {
  bool negative;
  std::string magnitude;  // digits, most significant first, no leading zeros ("0" for zero)
};

std::string StripZeros(std::string digits) {
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

int Compare(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string Add(const std::string& a, const std::string& b) {
  std::string sum;
  int carry = 0;
  for (size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
    const int da = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
    const int db = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
    const int d = da + db + carry;
    sum.insert(sum.begin(), static_cast<char>('0' + d % 10));
    carry = d / 10;
  }
  return StripZeros(sum);
}

std::string Subtract(const std::string& big, const std::string& small) {  // big >= small
  std::string difference = big;
  int borrow = 0;
  for (size_t i = 0; i < big.size(); ++i) {
    int d = big[big.size() - 1 - i] - '0' - borrow -
            (i < small.size() ? small[small.size() - 1 - i] - '0' : 0);
    borrow = d < 0;
    if (d < 0) d += 10;
    difference[big.size() - 1 - i] = static_cast<char>('0' + d);
  }
  return StripZeros(difference);
}

Signed Plus(const Signed& a, const Signed& b) {
  if (a.negative == b.negative) return {a.negative, Add(a.magnitude, b.magnitude)};
  const int order = Compare(a.magnitude, b.magnitude);
  if (order == 0) return {false, "0"};
  return order > 0 ? Signed{a.negative, Subtract(a.magnitude, b.magnitude)}
                   : Signed{b.negative, Subtract(b.magnitude, a.magnitude)};
}

std::optional<std::string> Reference(std::string_view text, int correction) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  const auto all_digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!all_digits(whole) || !all_digits(fraction) || whole.size() + fraction.size() == 0) {
    return std::nullopt;
  }
  Signed floor{negative, StripZeros(std::string(whole))};
  const bool has_fraction = fraction.find_first_not_of('0') != std::string_view::npos;
  if (negative && has_fraction) floor.magnitude = Add(floor.magnitude, "1");
  if (floor.magnitude == "0") floor.negative = false;
  const Signed sum = Plus(floor, {correction < 0, std::to_string(std::abs(correction))});
  return (sum.negative && sum.magnitude != "0" ? "-" : "") + sum.magnitude;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto correction = static_cast<int16_t>(data[0] | (data[1] << 8));
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  if (varnok::FormatAdjustedValue(text, correction) != Reference(text, correction)) std::abort();
  return 0;
}
