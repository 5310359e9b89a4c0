#pragma once

#include <string>

#include "config/item_commands.h"
#include "settings/language.h"

namespace varnok::cli {

// The range in words: "-99 to 99".
std::string RangeText(const ValueRange& range, Language language);

}  // namespace varnok::cli
