#include "foundation/message_template.h"

namespace varnok {

std::string FillIn(std::string_view pattern,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string text;
  while (!pattern.empty()) {
    bool replaced = false;
    for (const auto& [name, value] : values) {
      const std::string placeholder = "{" + std::string(name) + "}";
      if (pattern.starts_with(placeholder)) {
        text += value;
        pattern.remove_prefix(placeholder.size());
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      text += pattern.front();
      pattern.remove_prefix(1);
    }
  }
  return text;
}

}  // namespace varnok
