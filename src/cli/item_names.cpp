#include "cli/item_names.h"
#include "config/setting_catalogue.h"

#include <algorithm>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {
namespace {

constexpr ItemName kItemNames[] = {
    {"vertical-reflective", ItemId::VerticalReflective, {}, "print position, reflective sensing"},
    {"vertical-transmissive",
     ItemId::VerticalTransmissive,
     {},
     "print position, transmissive sensing"},
    {"max-print-length", ItemId::MaxPrintLength, {}, "maximum print length"},
    {"cut-position", ItemId::CutPosition, {}, "cutter's cutting position"},
    {"pages-per-cut", ItemId::PagesPerCut, {}, "labels per cut"},
    {"blade-stop", ItemId::BladeStop, {}, "cutter blade's stop position (ms)"},
    {"tear-off", ItemId::TearOff, {}, "back-feed tear-off position"},
    {"sensor-sensitivity", ItemId::SensorSensitivity, {}, "media sensor's sensitivity"},
    {"sensor-precision", ItemId::SensorPrecision, {}, "media sensor's precision"},
    {"network", ItemId::Network, {}, "network card's address, mask, gateway and port"},
    {"orientation", ItemId::Orientation, {"bottom-to-top", "top-to-bottom"}, "print direction"},
    {"self-test-language",
     ItemId::SelfTestLanguage,
     {"chinese", "english"},
     "self-test report's language"},
    {"peel-position", ItemId::PeelPosition, {}, "peeler's peeling position"},
    {"reset-user", ItemId::UserReset, {}, "user-level reset"},
    {"reset-advanced", ItemId::AdvancedReset, {}, "advanced reset of every parameter"},
};

}  // namespace

std::span<const ItemName> ItemNames() { return kItemNames; }

const ItemName& FindItem(std::string_view typed, Language language) {
  const auto by_name = std::ranges::find_if(kItemNames, [typed](const ItemName& item) {
    return EqualIgnoringAsciiCase(item.name, typed);
  });
  if (by_name != std::end(kItemNames)) return *by_name;
  for (const Language window : {Language::Chinese, Language::English}) {
    if (const SettingItem* item = FindSettingItem(window, typed)) {
      return *std::ranges::find(kItemNames, item->id, &ItemName::id);
    }
  }
  const CliTexts& texts = CliTextsIn(language);
  std::string names;
  for (const ItemName& item : kItemNames) {
    texts.AddToList(names, item.name);
  }
  throw UsageError(FillIn(texts.no_setting, {{"typed", typed}, {"names", names}}));
}

}  // namespace varnok::cli
