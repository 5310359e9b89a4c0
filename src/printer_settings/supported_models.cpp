#include "printer_settings/supported_models.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "foundation/ascii_case.h"

namespace varnok {
namespace {

constexpr std::array<std::string_view, 34> kSupportedModels{
    "VARNOK M-4410+",
    "VARNOK M-4410",
    "VARNOK M-4410D",
    "VARNOK K540 200S",
    "VARNOK K540 (203 DPI)",
    "VARNOK K540 200DPI",
    "VARNOK K540 (300 DPI)",
    "VARNOK K540 300DPI",
    "VARNOK L410",
    "VARNOK RS5",
    "VARNOK M-6610",
    "VARNOK M-6610+",
    "VARNOK M-6610D",
    "VARNOK L610",
    "VARNOK RS7",
    "VARNOK RS8",
    "VARNOK N5/200",
    "VARNOK N5/300",
    "VARNOK K540/300S",
    "VARNOK F7/200",
    "VARNOK K540 300S",
    "VARNOK F94",
    "VARNOK K540/200S",
    "VARNOK K540/200e",
    "VARNOK NZ/200",
    "VARNOK M7000",
    "VARNOK N5 plus",
    "VARNOK L430",
    "VARNOK K540/200+",
    "VARNOK HALIX 472 200DPI",
    "VARNOK HALIX472",
    "VARNOK HALIX572",
    "VARNOK M8000",
    "VARNOK M9000",
};

// The driver-language marks of the Chinese drivers.
constexpr std::array<std::string_view, 2> kLanguageMarks{"(VRLZ)", "(VRLE)"};

// Removes the last UTF-8 character whole, never a part of one.
void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
    text.pop_back();
  }
  if (!text.empty()) text.pop_back();
}

}  // namespace

std::string ModelName(std::string_view driver_name, bool drops_language_mark) {
  std::string model;
  std::ranges::transform(driver_name, std::back_inserter(model), AsciiUpper);
  if (!drops_language_mark) return model;
  for (const std::string_view mark : kLanguageMarks) {
    if (model.ends_with(mark)) {
      model.resize(model.size() - mark.size());
      DropLastCharacter(model);  // normally the blank before the mark; none when it stands alone
      break;
    }
  }
  return model;
}

std::span<const std::string_view> SupportedModels() { return kSupportedModels; }

std::string DriverFileName(std::string_view model) {
  constexpr std::string_view kBrand = "VARNOK ";
  if (EqualIgnoringAsciiCase(model.substr(0, kBrand.size()), kBrand))
    model.remove_prefix(kBrand.size());
  std::string name;
  // A "-" waits until a letter or digit follows, so no name begins or ends with one.
  bool separator_pending = false;
  const auto append = [&](std::string_view part) {
    if (separator_pending && !name.empty()) name += '-';
    separator_pending = false;
    name += part;
  };
  for (const char c : model) {
    const char lower = AsciiLower(c);
    if ((lower >= '0' && lower <= '9') || (lower >= 'a' && lower <= 'z')) {
      append(std::string_view(&lower, 1));
    } else if (c == '/') {
      separator_pending = false;
      name += '_';
    } else if (c == '+') {
      separator_pending = true;
      append("plus");
    } else {
      separator_pending = true;
    }
  }
  return name + ".ppd";
}

std::optional<std::string_view> SupportedModelNamed(std::string_view model) {
  const auto found = std::ranges::find_if(kSupportedModels, [model](std::string_view supported) {
    return EqualIgnoringAsciiCase(model, supported);
  });
  if (found == kSupportedModels.end()) return std::nullopt;
  return *found;
}

bool IsSupportedModel(std::string_view model) { return SupportedModelNamed(model).has_value(); }

}  // namespace varnok
