#pragma once

#include <string>
#include <string_view>

#include "config/item_commands.h"
#include "settings/language.h"

namespace varnok::cli {

// The range in words: "-99 to 99".
std::string RangeText(const ValueRange& range, Language language);

// The value typed for a value item, checked: a whole number (digits, "-" before a negative one)
// inside the item's range. Throws UsageError naming the range otherwise.
void CheckValue(ItemId item, std::string_view setting_name, std::string_view value,
                Language language);

}  // namespace varnok::cli
