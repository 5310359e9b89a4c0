#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varnok {

// The model name of a queue's driver name: upper case (ASCII letters; other bytes kept), and
// when drops_language_mark, a final "(VRLZ)" or "(VRLE)" removed with the character before it.
std::string ModelName(std::string_view driver_name, bool drops_language_mark);

// The driver names of the supported models, as listed.
std::span<const std::string_view> SupportedModels();

// Whether the model is one the settings are made for, compared without regard to case.
bool IsSupportedModel(std::string_view model);

}  // namespace varnok
