#pragma once

#include <array>
#include <span>
#include <string_view>

#include "printer_settings/setting_item.h"

namespace varnok {

// The short English name a script, a profile or the journal gives a setting item by, and its
// choices' names.
struct SettingName {
  std::string_view name;
  ItemId id;
  std::array<std::string_view, 2> choices;  // choice items: the first, then the second choice
  std::string_view about;                   // what it sets, for the help
};

// Every item, in the Chinese list's order.
std::span<const SettingName> SettingNames();

const SettingName& NameOfItem(ItemId id);

}  // namespace varnok
