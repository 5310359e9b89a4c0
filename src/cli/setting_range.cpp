#include "cli/setting_range.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "settings/message_template.h"

namespace varnok::cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as a whole number: an optional "-", then digits and nothing else. A number too
// large for the type comes back as the largest (or smallest) one, which no range reaches.
std::optional<long long> WholeNumber(std::string_view text) {
  const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
  if (digits.empty() || !std::ranges::all_of(digits, IsDigit)) return std::nullopt;
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc::result_out_of_range) {
    return text.starts_with('-') ? std::numeric_limits<long long>::min()
                                 : std::numeric_limits<long long>::max();
  }
  return number;
}

}  // namespace

std::string RangeText(const ValueRange& range, Language language) {
  return FillIn(CliTextsIn(language).range,
                {{"min", std::to_string(range.min)}, {"max", std::to_string(range.max)}});
}

void CheckValue(ItemId item, std::string_view setting_name, std::string_view value,
                Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const ValueRange range = *CommandOfItem(item).values;
  const std::string range_text = RangeText(range, language);
  const std::optional<long long> number = WholeNumber(value);
  if (!number) {
    throw UsageError(FillIn(texts.not_whole_number,
                            {{"value", value}, {"setting", setting_name}, {"range", range_text}}));
  }
  if (*number < range.min || *number > range.max) {
    throw UsageError(FillIn(texts.out_of_range,
                            {{"value", value}, {"setting", setting_name}, {"range", range_text}}));
  }
}

}  // namespace varnok::cli
