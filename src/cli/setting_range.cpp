#include "cli/setting_range.h"

#include "cli/cli_texts.h"
#include "foundation/message_template.h"

namespace varnok::cli {

std::string RangeText(const ValueRange& range, Language language) {
  return FillIn(CliTextsIn(language).range,
                {{"min", std::to_string(range.min)}, {"max", std::to_string(range.max)}});
}

}  // namespace varnok::cli
