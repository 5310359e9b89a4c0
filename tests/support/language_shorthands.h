#pragma once

#include "foundation/language.h"

namespace varnok {

// Short names for the two languages, for the columns of test tables.
inline constexpr auto kCn = Language::Chinese;
inline constexpr auto kEn = Language::English;

}  // namespace varnok
