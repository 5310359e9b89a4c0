#include "about/about_texts.h"

#include "foundation/ini_file.h"
#include "foundation/language.h"

namespace varnok {

AboutTexts ReadAboutTexts(const std::string& config_path) {
  const std::string language = ReadIniString(config_path, kLanguageSection, kLanguageKey);
  // No language, no section: both lines stay empty.
  if (language.empty()) return {};
  return {ReadIniString(config_path, language, "FA_lblDescription"),
          ReadIniString(config_path, language, "FA_lblDisclaimer")};
}

}  // namespace varnok
