#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// A decimal number as the operator typed it, kept as digits so that a whole part of any
// length stays exact.
struct DecimalNumber {
  bool negative = false;
  std::string whole = "0";    // digits of the whole part, no leading zeros
  bool has_fraction = false;  // some digit after the point is not 0
};

// The whole text read as a number: blanks around it, an optional leading "-", then digits
// with at most one "." among them and at least one digit. nullopt for anything else.
std::optional<DecimalNumber> ReadDecimalNumber(std::string_view text);

// The number the text begins with (after blanks), or zero when it begins with none.
DecimalNumber LeadingDecimalNumber(std::string_view text);

// The largest whole number not greater than the number, plus the addend, written with all
// its digits: "-" only for a negative result, no leading zeros, "0" for zero.
std::string FloorPlus(const DecimalNumber& number, int addend);

// Whether the number is greater than the limit.
bool IsGreaterThan(const DecimalNumber& number, unsigned limit);

}  // namespace varnok
