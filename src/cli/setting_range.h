#pragma once

#include <string>
#include <string_view>

#include "config/setting_item.h"
#include "settings/language.h"

namespace varnok::cli {

// The whole numbers a value setting takes on the command line: the range its help text in the
// Chinese window states ("输入范围：-99 ～ 99"), which the windows show but do not enforce.
struct SettingRange {
  long long min = 0;
  long long max = 0;
};

// The most millimetres max-print-length takes. The printer's own maximum is not known here; a
// label printer's is far below ten metres, so a longer value is a typing error.
inline constexpr long long kMostPrintLengthMillimetres = 9999;

// The range of a value item (one whose input panel is Value).
SettingRange RangeOf(ItemId item);

// The range in words: "-99 to 99".
std::string RangeText(const SettingRange& range, Language language);

// The value typed for a value item, checked: a whole number (digits, "-" before a negative one)
// inside the item's range. Throws UsageError naming the range otherwise.
void CheckValue(ItemId item, std::string_view setting_name, std::string_view value,
                Language language);

}  // namespace varnok::cli
