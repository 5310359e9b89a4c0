#pragma once

#include <string>

#include "foundation/language.h"
#include "printer_settings/item_commands.h"

namespace varnok::cli {

// The range in words: "-99 to 99".
std::string RangeText(const ValueRange& range, Language language);

}  // namespace varnok::cli
