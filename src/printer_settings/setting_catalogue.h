#pragma once

#include <span>
#include <string_view>

#include "foundation/language.h"
#include "printer_settings/setting_item.h"

namespace varnok {

// The items of a window's list, in list order (15 Chinese, 14 English).
std::span<const SettingItem> SettingCatalogue(Language window);

// The item whose text is exactly (case-sensitively) the given text, or nullptr.
const SettingItem* FindSettingItem(Language window, std::string_view text);

}  // namespace varnok
