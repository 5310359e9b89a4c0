#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/language.h"

namespace varnok::cli {

// A supported model as every command shows it: as the windows, `list` and the settings file's
// sections name it, the driver name in upper case ("VARNOK N5 PLUS").
std::string ListedModel(std::string_view model);

// The supported model the user named, as the list spells it (the name is matched without
// regard to case); throws UsageError naming the closest models when there is none.
std::string_view ChosenModel(std::string_view typed, Language language);

// The supported models whose names are closest to the typed one, closest first.
std::vector<std::string_view> ClosestModels(std::string_view typed, std::size_t count);

// A queue name for a model that the windows list and CUPS can hold: the model's name with
// every run of other characters than letters, digits, "-" and "+" made one "_", e.g.
// "VARNOK_K540_200DPI".
std::string ProposedQueueName(std::string_view model);

}  // namespace varnok::cli
