#include "foundation/language.h"

namespace varnok {

Language CaptionLanguage(std::string_view stored_value) {
  return stored_value == kEnglishValue ? Language::English : Language::Chinese;
}

Language WindowLanguage(std::string_view stored_value) {
  return stored_value == kChineseValue ? Language::Chinese : Language::English;
}

std::string_view StoredValue(Language language) {
  return language == Language::Chinese ? kChineseValue : kEnglishValue;
}

}  // namespace varnok
