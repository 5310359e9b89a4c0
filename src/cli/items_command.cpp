#include "cli/items_command.h"

#include <algorithm>
#include <sstream>

#include "cli/item_names.h"
#include "cli/json_output.h"
#include "cli/table.h"

namespace varnok::cli {
namespace {

// The Chinese window's range line ("输入范围：-99 ～ 99") in words a terminal shows plainly.
std::string RangeOf(const SettingItem& setting) {
  constexpr std::string_view kColon = "：";
  std::string range(setting.range_line.substr(setting.range_line.find(kColon) + kColon.size()));
  const auto replace = [&range](std::string_view from, std::string_view to) {
    if (const std::size_t at = range.find(from); at != std::string::npos) {
      range.replace(at, from.size(), to);
    }
  };
  replace("～", "to");
  replace("允许最大值", "the printer's maximum");
  return range;
}

std::string Takes(const ItemName& item) {
  const SettingItem& setting =
      *std::ranges::find(SettingCatalogue(Language::Chinese), item.id, &SettingItem::id);
  switch (setting.input) {
    case InputPanel::Value:
      return "a number, " + RangeOf(setting);
    case InputPanel::Choice:
      return std::string(item.choices[0]) + " | " + std::string(item.choices[1]);
    case InputPanel::Network:
      return "--address --mask --gateway [--port]";
    case InputPanel::Placeholder:
      break;
  }
  return "nothing";
}

Table ItemTable() {
  Table table({"SETTING", "TAKES", "SETS"});
  for (const ItemName& item : ItemNames()) {
    table.Add({std::string(item.name), Takes(item), std::string(item.about)});
  }
  return table;
}

}  // namespace

void ListItems(const CommandOutput& output, bool names_only) {
  if (names_only) {
    for (const ItemName& item : ItemNames()) {
      output.out << item.name;
      for (const std::string_view choice : item.choices) {
        if (!choice.empty()) output.out << ' ' << choice;
      }
      output.out << '\n';
    }
    return;
  }
  if (!output.json) return ItemTable().Print(output.out);
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (const ItemName& item : ItemNames()) {
    const SettingItem& chinese =
        *std::ranges::find(SettingCatalogue(Language::Chinese), item.id, &SettingItem::id);
    const SettingItem* english = nullptr;
    for (const SettingItem& entry : SettingCatalogue(Language::English)) {
      if (entry.id == item.id) english = &entry;
    }
    nlohmann::ordered_json choices = nlohmann::ordered_json::array();
    if (!item.choices[0].empty()) choices = {item.choices[0], item.choices[1]};
    items.push_back({{"setting", item.name},
                     {"takes", Takes(item)},
                     {"choices", choices},
                     {"chinese_text", chinese.text},
                     {"english_text", english ? nlohmann::ordered_json(english->text) : nullptr}});
  }
  PrintJson(output.out, {{"settings", items}});
}

std::string ItemsHelp() {
  std::ostringstream text;
  ItemTable().Print(text);
  return text.str();
}

}  // namespace varnok::cli
