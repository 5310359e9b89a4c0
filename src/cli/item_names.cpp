#include "cli/item_names.h"
#include "config/setting_catalogue.h"

#include <algorithm>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {

const SettingName& FindItem(std::string_view typed, Language language) {
  const auto by_name = std::ranges::find_if(SettingNames(), [typed](const SettingName& item) {
    return EqualIgnoringAsciiCase(item.name, typed);
  });
  if (by_name != SettingNames().end()) return *by_name;
  for (const Language window : {Language::Chinese, Language::English}) {
    if (const SettingItem* item = FindSettingItem(window, typed)) {
      return NameOfItem(item->id);
    }
  }
  const CliTexts& texts = CliTextsIn(language);
  std::string names;
  for (const SettingName& item : SettingNames()) texts.AddToList(names, item.name);
  throw UsageError(FillIn(texts.no_setting, {{"typed", typed}, {"names", names}}));
}

}  // namespace varnok::cli
