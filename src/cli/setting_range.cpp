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

constexpr std::string_view kColon = "：";
constexpr std::string_view kTilde = " ～ ";

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

SettingRange RangeOf(ItemId item) {
  const auto catalogue = SettingCatalogue(Language::Chinese);
  const std::string_view line = std::ranges::find(catalogue, item, &SettingItem::id)->range_line;
  // "输入范围：MIN ～ MAX", where MAX may be words: the printer's own maximum.
  const std::string_view bounds = line.substr(line.find(kColon) + kColon.size());
  const std::size_t tilde = bounds.find(kTilde);
  SettingRange range;
  range.min = WholeNumber(bounds.substr(0, tilde)).value_or(0);
  range.max =
      WholeNumber(bounds.substr(tilde + kTilde.size())).value_or(kMostPrintLengthMillimetres);
  return range;
}

std::string RangeText(const SettingRange& range, Language language) {
  return FillIn(CliTextsIn(language).range,
                {{"min", std::to_string(range.min)}, {"max", std::to_string(range.max)}});
}

void CheckValue(ItemId item, std::string_view setting_name, std::string_view value,
                Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const SettingRange range = RangeOf(item);
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
