#pragma once

#include <array>
#include <span>
#include <string_view>

#include "config/setting_item.h"
#include "settings/language.h"

namespace varnok::cli {

// The short English name a script gives a setting item by, and its choices' names.
struct ItemName {
  std::string_view name;
  ItemId id;
  std::array<std::string_view, 2> choices;  // choice items: the first, then the second choice
  std::string_view about;                   // what it sets, for the help
};

std::span<const ItemName> ItemNames();

// The item named by its short name (any letter case) or by its text in either window's list;
// throws UsageError naming the short names when there is none.
const ItemName& FindItem(std::string_view typed, Language language);

}  // namespace varnok::cli
