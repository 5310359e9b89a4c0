#include "cli/profile_template.h"

#include <sstream>
#include <string_view>

#include "cli/cli_texts.h"
#include "cli/items_command.h"
#include "fleet/setting_values.h"
#include "foundation/message_template.h"

namespace varnok::cli {
namespace {

// The factory values the windows' help texts state for their items, as a value line would give
// them; empty where the printer decides (its own maximum, its series, its language).
std::string_view FactoryValue(ItemId id) {
  switch (id) {
    case ItemId::PagesPerCut:
      return "1";
    case ItemId::SensorSensitivity:
      return "08";
    case ItemId::SensorPrecision:
      return "05";
    case ItemId::Orientation:
      return "bottom-to-top";
    case ItemId::MaxPrintLength:
    case ItemId::SelfTestLanguage:
    case ItemId::Network:
    case ItemId::UserReset:
    case ItemId::AdvancedReset:
      return {};
    default:
      break;
  }
  return "0";  // the positions in dots and the blade's stop
}

std::string FactoryNote(ItemId id, const CliTexts& texts) {
  switch (id) {
    case ItemId::MaxPrintLength:
      return std::string(texts.template_factory_maximum);
    case ItemId::Orientation:
      return std::string(texts.template_factory_orientation);
    case ItemId::SelfTestLanguage:
      return std::string(texts.template_factory_unknown);
    default:
      break;
  }
  return FillIn(texts.template_factory, {{"value", FactoryValue(id)}});
}

}  // namespace

std::string ProfileTemplate(Language language) {
  const CliTexts& texts = CliTextsIn(language);
  std::ostringstream text;
  text << texts.template_introduction << "\n[settings]\n";
  for (const SettingName& item : SettingNames()) {
    if (FormOf(item) != ValueForm::Word) continue;
    const std::string_view value = FactoryValue(item.id);
    text << "\n; " << Sets(item, language) << texts.reason_follows << Takes(item, language)
         << texts.note_follows << FactoryNote(item.id, texts) << "\n; " << item.name << " ="
         << (value.empty() ? "" : " ") << value << "\n";
  }
  text << "\n[network]\n"
       << texts.template_network
       << "\n; address =\n; mask =\n; gateway =\n; port = " << kDefaultPort << "\n";
  return text.str();
}

}  // namespace varnok::cli
