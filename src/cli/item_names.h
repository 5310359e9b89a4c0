#pragma once

#include <string_view>

#include "config/setting_names.h"
#include "settings/language.h"

namespace varnok::cli {

// The item named by its short name (any letter case) or by its text in either window's list;
// throws UsageError naming the short names when there is none.
const SettingName& FindItem(std::string_view typed, Language language);

}  // namespace varnok::cli
