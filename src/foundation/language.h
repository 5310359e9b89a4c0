#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The two languages of the interface. The stored value is re-read at every use.
enum class Language { Chinese, English };

inline constexpr std::string_view kLanguageSection = "LANGUAGE";
inline constexpr std::string_view kLanguageKey = "LG";
inline constexpr std::string_view kChineseValue = "CHINESE";
inline constexpr std::string_view kEnglishValue = "ENGLISH";

// Menu captions: English only for exactly "ENGLISH"; anything else (empty too) is Chinese.
Language CaptionLanguage(std::string_view stored_value);

// Configuration window variant: Chinese only for exactly "CHINESE"; anything else is English.
Language WindowLanguage(std::string_view stored_value);

// The value the language commands store for a language.
std::string_view StoredValue(Language language);

}  // namespace varnok
