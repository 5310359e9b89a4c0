#include "cli/model_choice.h"

#include <algorithm>
#include <numeric>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "foundation/ascii_case.h"
#include "foundation/message_template.h"
#include "printer_settings/supported_models.h"

namespace varnok::cli {
namespace {

// Edits (insert, delete, change a character) from one name to the other, case-blind: to the
// whole of b, and to the closest beginning of b (a name typed in part).
struct Distances {
  std::size_t whole;
  std::size_t beginning;
  auto operator<=>(const Distances&) const = default;
};

Distances Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t change = diagonal + (AsciiUpper(a[i - 1]) == AsciiUpper(b[j - 1]) ? 0 : 1);
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, change});
      diagonal = above;
    }
  }
  return {row[b.size()], *std::ranges::min_element(row)};
}

}  // namespace

std::string ListedModel(std::string_view model) { return ModelName(model, false); }

std::string_view ChosenModel(std::string_view typed, Language language) {
  if (const auto model = SupportedModelNamed(typed)) return *model;
  const CliTexts& texts = CliTextsIn(language);
  std::string closest;
  for (const std::string_view name : ClosestModels(typed, 3)) {
    texts.AddToList(closest, "\"" + ListedModel(name) + "\"");
  }
  throw UsageError(FillIn(texts.not_a_model, {{"typed", typed}, {"closest", closest}}));
}

std::vector<std::string_view> ClosestModels(std::string_view typed, std::size_t count) {
  std::vector<std::string_view> models(SupportedModels().begin(), SupportedModels().end());
  // A name typed without the brand word is compared without it too.
  const bool branded = Distance(typed.substr(0, 6), "VARNOK").whole == 0;
  const auto distance = [&](std::string_view model) {
    const Distances d = Distance(typed, branded ? model : model.substr(model.find(' ') + 1));
    return Distances{d.beginning, d.whole};  // what was typed may be a model's beginning
  };
  std::ranges::stable_sort(models, {}, distance);
  models.resize(std::min(count, models.size()));
  return models;
}

std::string ProposedQueueName(std::string_view model) {
  std::string name;
  for (const char c : model) {
    const bool kept = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '-' || c == '+';
    if (kept) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  if (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}

}  // namespace varnok::cli
