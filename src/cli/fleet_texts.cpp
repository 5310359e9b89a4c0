#include "cli/fleet_texts.h"

#include "cli/cli_texts.h"
#include "cli/setting_range.h"
#include "config/item_commands.h"
#include "settings/message_template.h"

namespace varnok::cli {

std::string ValueProblemText(const SettingValueFault& fault, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const std::string_view setting = fault.item != nullptr ? fault.item->name : "";
  const auto range = [&] { return RangeText(*CommandOfItem(fault.item->id).values, language); };
  switch (fault.problem) {
    case ValueProblem::NoSuchSetting: {
      std::string names;
      for (const SettingName& item : SettingNames()) texts.AddToList(names, item.name);
      return FillIn(texts.no_setting, {{"typed", fault.given}, {"names", names}});
    }
    case ValueProblem::NotWholeNumber:
      return FillIn(texts.not_whole_number,
                    {{"value", fault.given}, {"setting", setting}, {"range", range()}});
    case ValueProblem::OutOfRange:
      return FillIn(texts.out_of_range,
                    {{"value", fault.given}, {"setting", setting}, {"range", range()}});
    case ValueProblem::NoChoice:
      return FillIn(texts.no_choice, {{"value", fault.given},
                                      {"setting", setting},
                                      {"first", fault.item->choices[0]},
                                      {"second", fault.item->choices[1]}});
    case ValueProblem::BadAddress:
      return FillIn(texts.bad_address, {{"option", fault.option}, {"text", fault.given}});
    case ValueProblem::BadPort:
      break;
  }
  return FillIn(texts.bad_port, {{"option", fault.option}, {"port", fault.given}});
}

}  // namespace varnok::cli
