#pragma once

#include <string>

namespace varnok {

// The two lines of the About window, in the interface language stored in the settings file.
struct AboutTexts {
  std::string description;  // "FA_lblDescription"
  std::string disclaimer;   // "FA_lblDisclaimer"
};

// Reads both from the section named by the stored language value; a missing file, language
// value or entry leaves the text empty.
AboutTexts ReadAboutTexts(const std::string& config_path);

}  // namespace varnok
