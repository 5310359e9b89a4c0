#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnok {

// The model name of a queue's driver name: upper case (ASCII letters; other bytes kept), and
// when drops_language_mark, a final "(VRLZ)" or "(VRLE)" removed with the character before it.
std::string ModelName(std::string_view driver_name, bool drops_language_mark);

// The driver names of the supported models, as listed.
std::span<const std::string_view> SupportedModels();

// The supported model of that name as the list spells it, compared without regard to case.
std::optional<std::string_view> SupportedModelNamed(std::string_view model);

// Whether the model is one the settings are made for, compared without regard to case.
bool IsSupportedModel(std::string_view model);

// The name of a supported model's CUPS driver file (PPD): the model without the brand word, in
// lower case, "+" spelt "-plus", "/" as "_" and every other run of signs and blanks as one "-",
// e.g. "k540-200dpi.ppd" for "VARNOK K540 200DPI" and "k540_200-plus.ppd" for
// "VARNOK K540/200+". Different models get different names.
std::string DriverFileName(std::string_view model);

}  // namespace varnok
