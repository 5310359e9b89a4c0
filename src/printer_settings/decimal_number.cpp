#include "printer_settings/decimal_number.h"

#include <cstddef>

#include "foundation/blanks.h"

namespace varnok {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutLeadingZeros(std::string digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

// Magnitudes are digit strings without leading zeros.
int CompareMagnitudes(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string AddMagnitudes(const std::string& a, const std::string& b) {
  std::string sum;
  int carry = 0;
  for (std::size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i) {
    int digit = carry;
    if (i < a.size()) digit += a[a.size() - 1 - i] - '0';
    if (i < b.size()) digit += b[b.size() - 1 - i] - '0';
    sum.insert(sum.begin(), static_cast<char>('0' + digit % 10));
    carry = digit / 10;
  }
  return sum;
}

// larger - smaller, where larger is not less than smaller.
std::string SubtractMagnitudes(const std::string& larger, const std::string& smaller) {
  std::string difference;
  int borrow = 0;
  for (std::size_t i = 0; i < larger.size(); ++i) {
    int digit = larger[larger.size() - 1 - i] - '0' - borrow;
    if (i < smaller.size()) digit -= smaller[smaller.size() - 1 - i] - '0';
    borrow = digit < 0 ? 1 : 0;
    difference.insert(difference.begin(), static_cast<char>('0' + digit + 10 * borrow));
  }
  return WithoutLeadingZeros(difference);
}

// Reads a number at the start of text: an optional "-", then digits with at most one "."
// among them. Returns how many characters it used; 0 when the text begins with no number.
std::size_t ScanNumber(std::string_view text, DecimalNumber& number) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  std::string whole;
  bool point = false;
  bool digit_seen = false;
  bool fraction = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digit_seen = true;
      if (point) {
        fraction = fraction || c != '0';
      } else {
        whole += c;
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digit_seen) return 0;
  number = {negative, WithoutLeadingZeros(std::move(whole)), fraction};
  return i;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<DecimalNumber> ReadDecimalNumber(std::string_view text) {
  text = TrimBlanks(text);
  DecimalNumber number;
  if (text.empty() || ScanNumber(text, number) != text.size()) return std::nullopt;
  return number;
}

DecimalNumber LeadingDecimalNumber(std::string_view text) {
  DecimalNumber number;
  ScanNumber(SkipLeadingBlanks(text), number);
  return number;
}

std::string FloorPlus(const DecimalNumber& number, int addend) {
  // Rounding toward minus infinity moves a negative number with a fraction one further down.
  bool negative = number.negative;
  std::string magnitude =
      negative && number.has_fraction ? AddMagnitudes(number.whole, "1") : number.whole;

  const bool addend_negative = addend < 0;
  const long long addend_value = addend;
  const std::string addend_magnitude =
      std::to_string(addend_negative ? -addend_value : addend_value);
  if (negative == addend_negative) {
    magnitude = AddMagnitudes(magnitude, addend_magnitude);
  } else if (CompareMagnitudes(magnitude, addend_magnitude) >= 0) {
    magnitude = SubtractMagnitudes(magnitude, addend_magnitude);
  } else {
    magnitude = SubtractMagnitudes(addend_magnitude, magnitude);
    negative = addend_negative;
  }
  if (magnitude == "0") return magnitude;  // "-0" and "-0 + 0" are written as "0"
  return negative ? "-" + magnitude : magnitude;
}

bool IsGreaterThan(const DecimalNumber& number, unsigned limit) {
  if (number.negative) return false;
  const int order = CompareMagnitudes(number.whole, std::to_string(limit));
  return order > 0 || (order == 0 && number.has_fraction);
}

}  // namespace varnok
