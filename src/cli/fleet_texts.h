#pragma once

#include <string>

#include "fleet/setting_values.h"
#include "settings/language.h"

// The fleet core's refusals and results, which it gives as data, in the command line's words.
namespace varnok::cli {

// A setting's name or value refused ("\"2.5\" is not a whole number …").
std::string ValueProblemText(const SettingValueFault& fault, Language language);

}  // namespace varnok::cli
