#pragma once

#include <string_view>

#include "foundation/language.h"

namespace varnok {

// The main window's menu captions in one language. The item English keeps its design caption
// "English" in both languages and so has no entry here.
struct MenuCaptions {
  std::string_view file;
  std::string_view exit1;
  std::string_view tools;
  std::string_view printer_config;
  std::string_view update_firmware;
  std::string_view test;
  std::string_view help;
  std::string_view language;
  std::string_view chinese;
  std::string_view helpdo;
  std::string_view about;
  std::string_view sendfile_at_startup;       // set when the window loads
  std::string_view sendfile_after_switching;  // set by the two language commands
};

const MenuCaptions& MenuCaptionsFor(Language language);

// The design caption of the item English.
inline constexpr std::string_view kEnglishItemCaption = "English";

}  // namespace varnok
