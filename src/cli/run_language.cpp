#include "cli/run_language.h"

namespace varnok::cli {

Language LocaleLanguage(const char* lc_all, const char* lc_messages, const char* lang) {
  for (const char* value : {lc_all, lc_messages, lang}) {
    if (value != nullptr && *value != '\0') {
      return std::string_view(value).starts_with("zh") ? Language::Chinese : Language::English;
    }
  }
  return Language::English;
}

Language RunLanguage(std::span<const char* const> arguments, Language locale_language) {
  constexpr std::string_view kOption = "--lang";
  Language language = locale_language;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view word = arguments[i];
    std::string_view value;
    if (word == kOption && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (word.starts_with(kOption) && word.substr(kOption.size()).starts_with('=')) {
      value = word.substr(kOption.size() + 1);
    }
    if (value == "zh") language = Language::Chinese;
    if (value == "en") language = Language::English;
  }
  return language;
}

}  // namespace varnok::cli
